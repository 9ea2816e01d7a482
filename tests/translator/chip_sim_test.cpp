// SPDX-License-Identifier: GPL-3.0-or-later
// The on-chip helper itself, for what the on-chip tests cannot show: a source
// gpasm refuses, or a run gpsim stops by itself, is never taken as a run.
// (The RAM, ports, TRIS registers and EEPROM are read back by the on-chip
// tests against known values.)
#include <gtest/gtest.h>

#include <string>

#include "chip_sim.h"

namespace velmora::test {
namespace {

TEST(ChipSim, ReportsAssemblerFailures) {
  for (const std::string line : {"CLRF X", "CLRF UNDEFINED", "FROB 0x0C"}) {
    std::string log;
    const ChipResult r = RunOnChip("DIM X AS BYTE\nASM(" + line + ")\nEND\n");
    EXPECT_EQ(r.assembled, line == "CLRF X") << line << r.log;
    EXPECT_EQ(r.ok(), r.assembled) << line;
    EXPECT_EQ(AssemblesCleanly(r.assembly + "\r\n", &log), r.assembled) << log;
    EXPECT_TRUE(r.assembled || r.log.find("rror") != std::string::npos) << r.log;
  }
}

// Stores 42 in X, then writes 92 into EEPROM byte AD: beyond the 64 bytes
// gpsim halts, and what was done before is still read back.
TEST(ChipSim, AHaltedRunIsNotComplete) {
  for (const int address : {3, 65}) {
    const ChipResult r =
        RunOnChip("DIM X, AD AS BYTE\nX = 42\nAD = " + std::to_string(address) + "\nWRITE 92, AD\nEND\n");
    EXPECT_TRUE(r.assembled) << r.log;
    EXPECT_EQ(r.ran, address == 3) << r.log;
    EXPECT_EQ(r.Var("X"), 42);
    EXPECT_TRUE(r.ran ? r.eeprom.at(3) == 92 : r.log.find("stopped before cycle") != std::string::npos) << r.log;
  }
}

}  // namespace
}  // namespace velmora::test
