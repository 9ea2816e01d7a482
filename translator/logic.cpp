// Placeholder: this pass is not written yet; it changes nothing.
#include "logic.h"

namespace velmora {

void TraduciLogica(CompileState&, int, int) {}

}  // namespace velmora
