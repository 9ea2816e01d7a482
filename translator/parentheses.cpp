// Placeholder: this pass is not written yet; it changes nothing.
#include "parentheses.h"

namespace velmora {

void SplitParentheses(CompileState&) {}

}  // namespace velmora
