// CONFIG, DATA/GETDATA, WRITE/READ and the interrupt statements on the simulated chip.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "chip_stimuli.h"

namespace velmora {
namespace {

using test::ChipOptions;
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

TEST(DeclarationsOnChip, GetDataReadsTheTableAndGivesZeroOutsideIt) {
  const auto r = RunOnChip(
      "DATA 10, \"A\", 255\nDATA 7\n"
      "DIM K, G1, G4, GV, G0, G5 AS BYTE\n"
      "G1 = GETDATA(1)\nG4 = GETDATA(4)\n"
      "K = 3\nGV = GETDATA(K)\nK = 0\nG0 = GETDATA(K)\nK = 5\nG5 = GETDATA(K)\nEND\n");
  ASSERT_TRUE(r.ok()) << r.assembly << r.log;
  const std::vector<std::pair<const char*, int>> want = {{"G1", 10}, {"G4", 7}, {"GV", 255}, {"G0", 0}, {"G5", 0}};
  for (const auto& [name, value] : want) EXPECT_EQ(r.Var(name), value) << name;
}

TEST(DeclarationsOnChip, WriteThenReadRoundTripsThroughTheEeprom) {
  const auto r = RunOnChip(
      "DIM V, AD, R1, R2, R3, R4 AS BYTE\n"
      "V = 77\nAD = 20\n"
      "WRITE 5, \"AB\", V, 3\nWRITE V, AD\n"
      "WRITE 99, 1\n"
      "R1 = READ(3)\nR2 = READ(5)\nR3 = READ(6)\nR4 = READ(AD)\nEND\n");
  ASSERT_TRUE(r.ok()) << r.assembly << r.log;
  ASSERT_EQ(r.eeprom.size(), 64u);
  EXPECT_EQ(std::vector<int>(r.eeprom.begin(), r.eeprom.begin() + 7), (std::vector<int>{0, 99, 0, 5, 'A', 'B', 77}));
  EXPECT_EQ(r.eeprom[20], 77);
  EXPECT_EQ(r.Var("R1"), 5);
  EXPECT_EQ(r.Var("R2"), 'B');
  EXPECT_EQ(r.Var("R3"), 77);
  EXPECT_EQ(r.Var("R4"), 77);
}

// N counts timer interrupts, M is copied from N by the main loop. The
// prescaler is 1/256 and the timer starts from 0: the first overflow comes
// after 256 x 256 cycles, then one every (256 - reload) x 256 cycles. With a
// reload of 206 that is 1 + 10 interrupts in 200000 cycles.
std::string TimerProgram(const std::string& reload) {
  return "DIM N, M, R AS BYTE\nR = 206\nON TIMER INTERRUPT CALL TICK\nSET INIT TIMER TO " + reload +
         "\nDO\n  M = N\nLOOP\nEND\nSUB TICK\n  N = N + 1\nEND SUB\n";
}

TEST(DeclarationsOnChip, TimerInterruptCountsWhileTheMainLoopRuns) {
  for (const std::string reload : {"206", "R"}) {
    const auto r = RunOnChip(TimerProgram(reload), Options(200000));
    ASSERT_TRUE(r.ok()) << r.assembly << r.log;
    EXPECT_EQ(r.Var("N"), 11) << reload;
    EXPECT_GE(r.Var("M"), r.Var("N") - 1) << reload;
  }
  // Without a reload the timer runs the full 256 x 256 cycles: 3 interrupts.
  const auto r = RunOnChip(TimerProgram("0"), Options(200000));
  ASSERT_TRUE(r.ok()) << r.assembly << r.log;
  EXPECT_EQ(r.Var("N"), 3);
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
