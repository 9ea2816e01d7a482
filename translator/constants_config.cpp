// Placeholder: this pass is not written yet; it changes nothing.
#include "constants_config.h"

namespace velmora {

void TraduciConstSymbol(CompileState&) {}
void TraduciConfig(CompileState&) {}

}  // namespace velmora
