// Stimuli files: changes of the input lines over time, for a headless run
// (velmorac --stimoli), the board's recorded clicks and the exercise
// files' timeline.
//
//   # a comment line; blank lines are ignored
//   t=10ms A0=1          at 10 ms from reset, A0 goes high
//   t=2,5ms B0=0 B1=1    several lines at one moment
//   ciclo=5000 B0=0      at instruction cycle 5000 (counted from reset)
//
// A moment is `t=` a decimal number (comma or point) with a unit s, ms, us
// or µs, or `ciclo=` a whole number of instruction cycles. A time becomes
// cycles with the clock in use (an instruction cycle is 4 clock periods),
// rounded down. Lines may come in any order: they apply in time order, and
// at the same moment in file order. `;` or `#` after the content starts a
// comment. Text is UTF-8 (a byte-order mark is skipped), LF or CR LF.
//
// With `allowChecks`, a `verifica` word ends the line's assignments and the
// text after it is handed back as it is, for the exercise files'
// intermediate checks; without it `verifica` is refused like any other
// unknown word.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "gpsim_protocol.h"

namespace velmora::toolchain {

// When a line applies: a cycle count, or an exact decimal time
// (seconds = mantissa / 10^scale) kept as written until the clock is known.
struct StimulusMoment {
  bool inCycles = true;
  std::uint64_t cycle = 0;
  std::uint64_t mantissa = 0;
  int scale = 0;
  // The instruction cycle of this moment with a crystal of `clockHz`
  // (rounded down; saturates at the largest count).
  std::uint64_t Cycle(long clockHz) const;
};

struct StimulusLine {
  int line = 0;  // 1-based, in the file
  StimulusMoment moment;
  std::vector<std::pair<Pin, bool>> levels;  // in the order written
  // The text after `verifica`, trimmed, comment removed (allowChecks only).
  std::optional<std::string> check;
};

struct StimuliError {
  std::string file;
  int line = 0;         // 0: about the whole file (it cannot be read)
  std::string message;  // Italian
  // "FILE:LINE: message" (or "FILE: message").
  std::string Text() const;
};

struct Stimuli {
  std::vector<StimulusLine> lines;  // in file order
  std::optional<StimuliError> error;
  bool ok() const { return !error; }
};

// Parses a stimuli file's text; `fileName` names it in the error.
Stimuli ParseStimuli(const std::string& text, const std::string& fileName, bool allowChecks = false);
// Reads and parses a file; a file that cannot be read is an error too.
Stimuli ReadStimuliFile(const std::string& path, bool allowChecks = false);

// One input change at a cycle.
struct StimulusChange {
  std::uint64_t cycle = 0;
  Pin pin;
  bool high = false;
  int line = 0;
  bool operator==(const StimulusChange&) const = default;
};

// Every change of `lines` in the order it applies (by cycle, then file order).
std::vector<StimulusChange> StimulusTimeline(const std::vector<StimulusLine>& lines, long clockHz);

// One line of a stimuli file at a cycle ("ciclo=5000 B0=0"), as the board
// writes what it records.
std::string FormatStimulusLine(std::uint64_t cycle, const std::vector<std::pair<Pin, bool>>& levels);

}  // namespace velmora::toolchain
