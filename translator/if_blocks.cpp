// Placeholder: this pass is not written yet; it changes nothing.
#include "if_blocks.h"

namespace velmora {

OperatorFound FindOperator(const std::string&) { return {}; }
void IfTranslator(CompileState&, int, int, int) {}

}  // namespace velmora
