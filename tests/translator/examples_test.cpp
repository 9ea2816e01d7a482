// The four example programs shipped with the help translate, assemble and
// behave on the simulated chip as their comments describe.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "chip_stimuli.h"

namespace velmora {
namespace {

using test::ChipOptions;
using test::Options;
using test::Pulses;
using test::RunOnChip;

std::string Example(const std::string& name) {
  std::ifstream in(std::string(VELMORA_SOURCE_DIR) + "/examples/" + name, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

TEST(Examples, InputOutputConfigurationCopiesA0ToB5) {
  for (int a0 : {1, 0}) {
    const auto r = RunOnChip(Example("configurazione_io.bas"), Options(5000, a0));
    ASSERT_TRUE(r.ok()) << r.assembly << r.log;
    EXPECT_EQ(r.trisA & 0x1F, 0x01);
    EXPECT_EQ(r.trisB, 0x00);
    EXPECT_EQ((r.portB >> 5) & 1, a0);
  }
}

TEST(Examples, EepromReadingStopsAtTheFirstZero) {
  ChipOptions options = Options(2000000);
  const int stored[] = {3, 7, 9, 0, 5};
  for (int k = 0; k < 5; ++k)
    options.gpsimCommands.push_back("p16f84.eeData[" + std::to_string(k) + "] = " + std::to_string(stored[k]));
  const auto r = RunOnChip(Example("lettura_eeprom.bas"), options);
  ASSERT_TRUE(r.ok()) << r.assembly << r.log;
  EXPECT_EQ(r.Var("LETTI"), 3);
  EXPECT_EQ(r.Var("INDIRIZZO"), 3);
  EXPECT_EQ(r.portB, 9);

  // Eleven non-zero bytes: every address from 0 to 10 is read.
  options.gpsimCommands.clear();
  for (int k = 0; k < 11; ++k) options.gpsimCommands.push_back("p16f84.eeData[" + std::to_string(k) + "] = 0x20");
  options.cycles = 4000000;
  const auto all = RunOnChip(Example("lettura_eeprom.bas"), options);
  ASSERT_TRUE(all.ok()) << all.log;
  EXPECT_EQ(all.Var("LETTI"), 11);
}

// A0 blinks with a period of about one second (0.5 s on, 0.5 s off); each
// rising edge on B0 toggles A1.
TEST(Examples, B0InterruptTogglesA1WhileA0Blinks) {
  struct Row { long cycles; std::string edges; int a0, a1; };
  const Row rows[] = {
      {250000, "{ 50000, 1, 60000, 0, 100000, 1, 110000, 0, 150000, 1 }", 1, 1},
      {750000, "{ 50000, 1, 60000, 0, 600000, 1 }", 0, 0},
  };
  for (const auto& row : rows) {
    const auto r = RunOnChip(
        Example("interrupt_b0.bas"),
        Options(row.cycles, 0, Pulses("portb0", 0, row.edges)));
    ASSERT_TRUE(r.ok()) << r.assembly << r.log;
    EXPECT_EQ(r.portA & 1, row.a0) << row.cycles;
    EXPECT_EQ((r.portA >> 1) & 1, row.a1) << row.cycles;
    EXPECT_EQ(r.Var("STATO_A1"), row.a1) << row.cycles;
  }
}

TEST(Examples, LinesA0ToA4AreWeighedIntoOneByte) {
  for (int lines : {27, 5, 31}) {
    const auto r = RunOnChip(Example("lettura_linee_a.bas"), Options(5000, lines));
    ASSERT_TRUE(r.ok()) << r.assembly << r.log;
    EXPECT_EQ(r.portB, lines);
    // VALORE is rebuilt on every turn of the loop, so it stands still only
    // once the loop has ended.
    if (lines == 27) {
      EXPECT_EQ(r.Var("VALORE"), 27);
    }
  }
}

}  // namespace
}  // namespace velmora
