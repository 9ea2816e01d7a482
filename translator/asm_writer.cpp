// Placeholder: this pass is not written yet; it changes nothing.
#include "asm_writer.h"

namespace velmora {

void ScriviRigaASM(CompileState&, const std::string&) {}
void ScriviASM(CompileState&) {}
void ScriviRoutine(CompileState&) {}
void ScriviTabellaDati(CompileState&) {}
std::string TestoDefinizioni() { return {}; }
std::string CreditoAutore() { return "Velmora"; }

}  // namespace velmora
