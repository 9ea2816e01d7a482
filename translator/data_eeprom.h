// SPDX-License-Identifier: GPL-3.0-or-later
// DATA tables in program memory and WRITE to the data EEPROM.
#pragma once

#include "compile_state.h"

namespace velmora {

// Collects the bytes of every DATA statement above the first IF into ArrayDATA.
void TraduciData(CompileState& st);

// WRITE item, item, ..., address: translates line `line` in place.
void TraduciWrite(CompileState& st, int line);

}  // namespace velmora
