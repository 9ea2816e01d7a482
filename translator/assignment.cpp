// Placeholder: this pass is not written yet; it changes nothing.
#include "assignment.h"

namespace velmora {

void TraduciAssegnazione(CompileState&, int, int) {}
bool IsNumber(const std::string&) { return false; }
bool IsSubroutine(const CompileState&, const std::string&) { return false; }
std::string ConvertiFloat(CompileState&, double) { return "00000000"; }
std::string HexOperando(CompileState&, const std::string&) { return "0"; }

}  // namespace velmora
