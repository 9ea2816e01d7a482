// SPDX-License-Identifier: GPL-3.0-or-later
// A recording of the port lines as a value change dump (IEEE 1364 VCD), the
// file waveform viewers read: one 1-bit wire per line, named RA0-RA4 and
// RB0-RB7, in a scope named after the chip, and one 8-bit wire per byte
// recorded as a bus, named after its variable.
//
// The timescale is the largest power of ten in which one instruction cycle
// (4 clock periods) is a whole number of units, so every edge falls on its
// exact cycle: 1 us at 4 MHz, 100 ns at 20 MHz, 100 fs at 32768 Hz. A clock
// without such a unit (down to 1 fs) is written in picoseconds, rounded.
#pragma once

#include <cstdint>
#include <string>

#include "pin_trace.h"

namespace velmora::toolchain {

struct VcdTimescale {
  std::string text;                // "1 us", "100 ns"
  std::uint64_t unitsPerCycle = 0; // 0 when the cycle is not a whole number of units
  int exponent = 0;                // the unit is 10^-exponent s
};

VcdTimescale ChooseTimescale(long clockHz);

// Time of `cycle` in units of `scale` (rounded to the nearest unit).
std::uint64_t VcdTime(std::uint64_t cycle, const VcdTimescale& scale, long clockHz);

// The whole dump of `trace` at `clockHz`; it ends at the trace's end cycle.
std::string VcdText(const PinTrace& trace, long clockHz);

// Writes the dump to `path` through a temporary file beside it, renamed
// over it when complete; false with the Italian reason otherwise.
bool WriteVcdFile(const std::string& path, const PinTrace& trace, long clockHz, std::string& error);

}  // namespace velmora::toolchain
