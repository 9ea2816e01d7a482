// Placeholder: this pass is not written yet; it changes nothing.
#include "jumps.h"

namespace velmora {

void CompattaProgramma(CompileState&) {}
void RisolviEtichette(CompileState&) {}

}  // namespace velmora
