// Placeholder: this pass is not written yet; it changes nothing.
#include "subroutines.h"

namespace velmora {

void TraduciSubCall(CompileState&) {}
void TraduciSubBody(CompileState&, int, int) {}

}  // namespace velmora
