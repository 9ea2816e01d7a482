// CONFIG, DATA/GETDATA, WRITE/READ and the interrupt statements on the simulated chip.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "chip_stimuli.h"

namespace velmora {
namespace {

using test::Options;
using test::Pulses;
using test::RunOnChip;

TEST(DeclarationsOnChip, ConfigSetsTheTrisRegisters) {
  const auto r = RunOnChip(
      "CONFIG B0, B1 AS INPUT\nCONFIG A AS INPUT\nCONFIG A0, B7 AS OUTPUT\nCONFIG B7, B6 AS INPUT\nEND\n");
  ASSERT_TRUE(r.ok()) << r.assembly << r.log;
  EXPECT_EQ(r.trisA & 0x1F, 0x1E);
  EXPECT_EQ(r.trisB, 0xC3);
}

// GETDATA reads the DATA table and gives zero outside it; WRITE stores its
// values from the address it ends with, READ reads them back.
TEST(DeclarationsOnChip, DataAndEepromAreReadBack) {
  struct Row { const char* program; std::vector<std::pair<const char*, int>> want; std::vector<int> eeprom; };
  const Row rows[] = {
      {"DATA 10, \"A\", 255\nDATA 7\nDIM K, G1, G4, GV, G0, G5 AS BYTE\nG1 = GETDATA(1)\nG4 = GETDATA(4)\n"
       "K = 3\nGV = GETDATA(K)\nK = 0\nG0 = GETDATA(K)\nK = 5\nG5 = GETDATA(K)\nEND\n",
       {{"G1", 10}, {"G4", 7}, {"GV", 255}, {"G0", 0}, {"G5", 0}}, {}},
      {"DIM V, AD, R1, R2, R3, R4 AS BYTE\nV = 77\nAD = 20\nWRITE 5, \"AB\", V, 3\nWRITE V, AD\nWRITE 99, 1\n"
       "R1 = READ(3)\nR2 = READ(5)\nR3 = READ(6)\nR4 = READ(AD)\nEND\n",
       {{"R1", 5}, {"R2", 'B'}, {"R3", 77}, {"R4", 77}},
       {0, 99, 0, 5, 'A', 'B', 77, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 77}},
  };
  for (const Row& row : rows) {
    const auto r = RunOnChip(row.program);
    ASSERT_TRUE(r.ok()) << r.assembly << r.log;
    for (const auto& [name, value] : row.want) EXPECT_EQ(r.Var(name), value) << name;
    ASSERT_EQ(r.eeprom.size(), 64u);
    EXPECT_EQ(std::vector<int>(r.eeprom.begin(), r.eeprom.begin() + row.eeprom.size()), row.eeprom);
  }
}

// N counts timer interrupts, M is copied from N by the main loop. The
// prescaler is 1/256 and the timer starts from 0: the first overflow comes
// after 256 x 256 cycles, then one every (256 - reload) x 256 cycles. With a
// reload of 206 that is 1 + 10 interrupts in 200000 cycles; without a reload
// the timer runs the full 256 x 256 cycles: 3 interrupts.
TEST(DeclarationsOnChip, TimerInterruptCountsWhileTheMainLoopRuns) {
  for (const auto& [reload, n] : std::vector<std::pair<std::string, int>>{{"206", 11}, {"R", 11}, {"0", 3}}) {
    const auto r = RunOnChip("DIM N, M, R AS BYTE\nR = 206\nON TIMER INTERRUPT CALL TICK\nSET INIT TIMER TO " +
                                 reload + "\nDO\n  M = N\nLOOP\nEND\nSUB TICK\n  N = N + 1\nEND SUB\n",
                             Options(200000));
    ASSERT_TRUE(r.ok()) << r.assembly << r.log;
    EXPECT_EQ(r.Var("N"), n) << reload;
    EXPECT_GE(r.Var("M"), r.Var("N") - 1) << reload;
  }
}

// Three rising edges on B0 (the edge the chip starts with) and three changes on B4.
TEST(DeclarationsOnChip, ExternalAndPortChangeInterruptsCallTheirSubs) {
  std::vector<std::string> edges = Pulses("portb0", 0, "{ 10000, 1, 20000, 0, 30000, 1, 40000, 0, 50000, 1 }");
  const std::vector<std::string> b4 = Pulses("portb4", 0, "{ 15000, 1, 25000, 0, 35000, 1 }");
  edges.insert(edges.end(), b4.begin(), b4.end());
  const auto r = RunOnChip(
      "CONFIG B AS INPUT\nDIM EXT, CHG AS BYTE\n"
      "ON EXTERNAL INTERRUPT CALL EDGE\nON LINE INTERRUPT CALL CHANGE\n"
      "DO\nLOOP\nEND\nSUB EDGE\n  EXT = EXT + 1\nEND SUB\nSUB CHANGE\n  CHG = CHG + 1\nEND SUB\n",
      Options(100000, 0, edges));
  ASSERT_TRUE(r.ok()) << r.assembly << r.log;
  EXPECT_EQ(r.Var("EXT"), 3);
  EXPECT_EQ(r.Var("CHG"), 3);
}

}  // namespace
}  // namespace velmora
