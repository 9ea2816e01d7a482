// Placeholder: this pass is not written yet; it changes nothing.
#include "declarations.h"

namespace velmora {

void TraduciDim(CompileState&) {}
bool IsReservedName(const std::string&) { return false; }
int VariableSize(const CompileState&, const std::string&) { return 0; }

}  // namespace velmora
