// SPDX-License-Identifier: GPL-3.0-or-later
// The PIC16F84's control flow read from its instruction words.
#include "step_planner.h"

#include <vector>

namespace velmora::simulator {
namespace {

// The 14-bit words that change the flow.
bool IsGoto(int w) { return (w & 0x3800) == 0x2800; }
bool IsCall(int w) { return (w & 0x3800) == 0x2000; }
int Target(int w) { return w & (kProgramWords - 1); }  // 1K words: PCLATH adds nothing
bool IsReturn(int w) { return w == 0x0008 || w == 0x0009 || (w & 0x3C00) == 0x3400; }  // RETURN, RETFIE, RETLW
// BTFSC, BTFSS, DECFSZ, INCFSZ: the next instruction or the one after.
bool IsSkip(int w) {
  return (w & 0x3800) == 0x1800 || (w & 0x3F00) == 0x0B00 || (w & 0x3F00) == 0x0F00;
}

int WordAt(const ProgramMap& map, int address) {
  return address >= 0 && address < kProgramWords ? map.words[static_cast<size_t>(address)] : -1;
}

}  // namespace

std::set<int> Reach(const ProgramMap& map, int entry) {
  std::set<int> seen;
  std::vector<int> pending = {entry};
  while (!pending.empty()) {
    const int a = pending.back();
    pending.pop_back();
    const int w = WordAt(map, a);
    if (w < 0 || !seen.insert(a).second) continue;
    if (IsReturn(w)) continue;
    if (IsGoto(w)) {
      pending.push_back(Target(w));
      continue;
    }
    if (IsCall(w)) pending.push_back(Target(w));
    if (IsSkip(w)) pending.push_back(a + 2);
    // Everything else goes on to the next word, a computed jump (a write to
    // PCL) included: only the DATA table has one, and its RETLW rows follow.
    pending.push_back(a + 1);
  }
  return seen;
}

std::set<int> InterruptCode(const ProgramMap& map) {
  // With interrupts the program starts "GOTO start, NOP, NOP, NOP" and the
  // handler sits at the vector, address 4.
  if (!IsGoto(WordAt(map, 0)) || WordAt(map, 1) != 0 || WordAt(map, 2) != 0 || WordAt(map, 3) != 0) return {};
  return Reach(map, 4);
}

std::set<int> LineStepStops(const ProgramMap& map, int pc) {
  const int line = map.BasicLineAt(pc);
  std::set<int> stops;
  for (int a = 0; a < kProgramWords; ++a) {
    const int l = map.basicLine[static_cast<size_t>(a)];
    if (l != 0 && l != line && !map.passThrough[static_cast<size_t>(a)]) stops.insert(a);
  }
  return stops;
}

std::set<int> StepOverStops(const ProgramMap& map, int pc) {
  std::set<int> stops = LineStepStops(map, pc);
  const int line = map.BasicLineAt(pc);
  std::set<int> skipped;  // what runs inside the calls of this line
  for (int a = 0; a < kProgramWords; ++a) {
    const int w = map.words[static_cast<size_t>(a)];
    if (w >= 0 && IsCall(w) && (line != 0 ? map.basicLine[static_cast<size_t>(a)] == line : a == pc))
      skipped.merge(Reach(map, Target(w)));
  }
  const std::set<int> interrupt = InterruptCode(map);
  if (!interrupt.count(pc)) skipped.insert(interrupt.begin(), interrupt.end());
  for (int a : skipped) stops.erase(a);
  return stops;
}

std::set<int> StepOutStops(const ProgramMap& map, int pc) {
  // The routines are the targets of the CALLs; a routine's reach holds the
  // routines it calls, so the innermost one holding `pc` reaches the least.
  std::set<int> targets;
  for (int w : map.words)
    if (w >= 0 && IsCall(w)) targets.insert(Target(w));
  int innermost = -1;
  size_t smallest = 0;
  for (int t : targets) {
    const std::set<int> body = Reach(map, t);
    if (body.count(pc) && (innermost < 0 || body.size() < smallest)) {
      innermost = t;
      smallest = body.size();
    }
  }
  std::set<int> returns;
  if (innermost < 0) return returns;
  for (int a = 0; a < kProgramWords; ++a) {
    const int w = map.words[static_cast<size_t>(a)];
    if (w >= 0 && IsCall(w) && Target(w) == innermost) returns.insert(a + 1);
  }
  return returns;
}

}  // namespace velmora::simulator
