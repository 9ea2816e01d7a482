// Placeholder: this pass is not written yet; it changes nothing.
#include "interrupts.h"

namespace velmora {

void TraduciOnInterrupt(CompileState&, int) {}
void TraduciSetInitTimer(CompileState&, int) {}
bool TraduciTimerBit(CompileState&, int) { return false; }
void TraduciTimerRate(CompileState&, int) {}

}  // namespace velmora
