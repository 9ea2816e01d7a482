// Placeholder: this pass is not written yet; it changes nothing.
#include "for_next.h"

namespace velmora {

void ForNext(CompileState&, int, int) {}

}  // namespace velmora
