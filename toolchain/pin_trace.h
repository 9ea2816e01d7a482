// SPDX-License-Identifier: GPL-3.0-or-later
// The recording of the port lines made inside gpsim by Velmora's module
// (gpsim_module/pin_recorder.cpp): every change of level of RA0-RA4 and
// RB0-RB7 at its instruction cycle.
//
// The file is text, one record a line:
//   velmora-traccia 1            the version line
//   CYCLE LINE LEVEL PC OUT      a level (0 or 1) of line 0-12 (RA0..RA4,
//                                RB0..RB7) from CYCLE on; PC is the program
//                                address executing then, OUT is 1 when the
//                                program drove the line as an output
//   V CYCLE BUS VALUE PC         a watched byte of RAM (bus 0, 1, ... in the
//                                order they were asked for) holds VALUE
//                                (0-255) from CYCLE on
//   E CYCLE                      the recording ended at CYCLE
// The first record of each line is its level when the recording started.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "gpsim_protocol.h"

namespace velmora::toolchain {

constexpr int kTraceLines = 13;

// "RA0".."RA4", "RB0".."RB7" for lines 0..12.
std::string TraceLineName(int line);
Pin TraceLinePin(int line);
int TraceLineOf(Pin pin);

struct TraceEdge {
  std::uint64_t cycle = 0;
  std::uint16_t pc = 0;
  std::uint8_t line = 0;
  std::uint8_t level = 0;
  bool driven = false;  // the program drove the line (an output)
  bool operator==(const TraceEdge&) const = default;
};

// A value of a byte recorded as a bus.
struct TraceByte {
  std::uint64_t cycle = 0;
  std::uint16_t pc = 0;
  std::uint8_t bus = 0;
  std::uint8_t value = 0;
  bool operator==(const TraceByte&) const = default;
};

struct PinTrace {
  std::vector<TraceEdge> edges;  // in recording order (cycles never decrease)
  std::vector<TraceByte> bytes;  // the buses' values, in recording order
  std::vector<std::string> buses;  // the buses' names (set by whoever asked for them)
  std::uint64_t endCycle = 0;    // the last cycle known to be covered
  bool ended = false;            // the end line was read
};

// Reads the complete lines of `text` from byte `from` on into `trace`
// (a recording still being written ends with an unfinished line, read the
// next time); returns the offset after the last complete line, or nothing
// with the Italian reason when the text is not a recording.
std::optional<size_t> ReadPinTrace(const std::string& text, size_t from, PinTrace& trace, std::string& error);

// Reads a whole recording file.
std::optional<PinTrace> ReadPinTraceFile(const std::string& path, std::string& error);

}  // namespace velmora::toolchain
