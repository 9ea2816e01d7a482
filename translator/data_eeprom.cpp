// Placeholder: this pass is not written yet; it changes nothing.
#include "data_eeprom.h"

namespace velmora {

void TraduciData(CompileState&) {}
void TraduciWrite(CompileState&, int) {}

}  // namespace velmora
