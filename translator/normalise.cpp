// Placeholder: this pass is not written yet; it changes nothing.
#include "normalise.h"

namespace velmora {

void Normalise(CompileState&, const std::string&) {}

}  // namespace velmora
