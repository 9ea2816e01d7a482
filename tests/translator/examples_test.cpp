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
  std::ostringstream s;
  s << std::ifstream(std::string(VELMORA_SOURCE_DIR) + "/examples/" + name, std::ios::binary).rdbuf();
  return s.str();
}

// configurazione_io copies A0 to B5; lettura_linee_a weighs A0..A4 into one
// byte shown on port B and ends once that byte is 27, so VALORE then stays.
TEST(Examples, PortAIsCopiedToPortB) {
  struct Row { const char* file; int portA, mask, portB, valore; };
  const Row rows[] = {{"configurazione_io.bas", 1, 0x20, 0x20, -1}, {"configurazione_io.bas", 0, 0x20, 0, -1},
                      {"lettura_linee_a.bas", 27, 0xFF, 27, 27}, {"lettura_linee_a.bas", 5, 0xFF, 5, -1},
                      {"lettura_linee_a.bas", 31, 0xFF, 31, -1}};
  for (const Row& row : rows) {
    const auto r = RunOnChip(Example(row.file), Options(5000, row.portA));
    ASSERT_TRUE(r.ok()) << r.assembly << r.log;
    EXPECT_EQ(r.portB & row.mask, row.portB) << row.file << " with A=" << row.portA;
    EXPECT_TRUE(row.valore < 0 || r.Var("VALORE") == row.valore) << r.Var("VALORE");
  }
}

// The bytes read are shown on port B until the first zero, where the loop
// breaks with INDIRIZZO on the zero's address; eleven non-zero bytes are all
// read, from address 0 to 10.
TEST(Examples, EepromReadingStopsAtTheFirstZero) {
  struct Row { std::vector<int> stored; long cycles; int read, portB; };
  const Row rows[] = {{{3, 7, 9, 0, 5}, 2000000, 3, 9}, {std::vector<int>(11, 5), 4000000, 11, 5}};
  for (const Row& row : rows) {
    ChipOptions options = Options(row.cycles);
    for (size_t k = 0; k < row.stored.size(); ++k)
      options.gpsimCommands.push_back("p16f84.eeData[" + std::to_string(k) + "] = " + std::to_string(row.stored[k]));
    const auto r = RunOnChip(Example("lettura_eeprom.bas"), options);
    ASSERT_TRUE(r.ok()) << r.assembly << r.log;
    EXPECT_EQ(r.Var("LETTI"), row.read);
    EXPECT_EQ(r.portB, row.portB);
    if (row.read < 11) {
      EXPECT_EQ(r.Var("INDIRIZZO"), row.read);
    }
  }
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
    const auto r = RunOnChip(Example("interrupt_b0.bas"), Options(row.cycles, 0, Pulses("portb0", 0, row.edges)));
    ASSERT_TRUE(r.ok()) << r.assembly << r.log;
    EXPECT_EQ(r.portA & 1, row.a0) << row.cycles;
    EXPECT_EQ((r.portA >> 1) & 1, row.a1) << row.cycles;
    EXPECT_EQ(r.Var("STATO_A1"), row.a1) << row.cycles;
  }
}

}  // namespace
}  // namespace velmora
