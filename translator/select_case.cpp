// Placeholder: this pass is not written yet; it changes nothing.
#include "select_case.h"

namespace velmora {

void SelectCase(CompileState&) {}

}  // namespace velmora
