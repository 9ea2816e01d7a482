// Placeholder: this pass is not written yet; it changes nothing.
#include "statements.h"

namespace velmora {

void TraduciIstruzione(CompileState&, int) {}

}  // namespace velmora
