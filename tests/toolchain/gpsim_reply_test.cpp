// SPDX-License-Identifier: GPL-3.0-or-later
// Reading gpsim's answers and the program's files, on transcripts recorded
// from gpsim 0.31 (transcripts/: a run stopped at SLEEP, a run stopped at
// its cycle limit) and on hand-written inputs.
#include <gtest/gtest.h>

#include <tuple>

#include "assembler.h"
#include "sim_fixture.h"
#include "simulator.h"

namespace velmora::toolchain {
namespace {

std::string Transcript(const std::string& name) {
  return test::ReadFile(std::string(VELMORA_SOURCE_DIR) + "/tests/toolchain/transcripts/" + name);
}

// The recorded runs of the example that reads A0..A4 into VALORE (0x0C) and
// copies it to PORTB: with A0, A1, A3, A4 high it reaches SLEEP at 0x22;
// with A0 high it is stopped at cycle 5000.
TEST(GpsimReply, ReadsRecordedRuns) {
  struct Row { const char* file; bool sleep; std::uint64_t cycles; int valore, portA, portB, w, pc; };
  const Row rows[] = {{"sleep.txt", true, 33, 27, 0x1B, 0x1B, 0x00, 0x22},
                      {"cycle_break.txt", false, 5001, 1, 0x01, 0x01, 0x1A, 0x1E}};
  for (const Row& row : rows) {
    SCOPED_TRACE(row.file);
    const std::string transcript = Transcript(row.file);
    SimulationResult r;
    ReadHeadlessTranscript(transcript, r);
    ASSERT_TRUE(r.ok) << r.error;
    // Sleep, cycles, VALORE, PORTA, PORTB, TRISA, TRISB, the missing PORTC, W, PC.
    const auto& c = r.chip;
    EXPECT_EQ(std::tuple(c.sleep, c.cycles, c.registers[0x0C], c.PortA(), c.PortB(), c.TrisA(), c.TrisB(),
                         c.registers[0x07], c.w, c.pc),
              std::tuple(row.sleep, row.cycles, row.valore, row.portA, row.portB, 0xFF, 0x00, -1, row.w, row.pc));
    EXPECT_EQ(r.chip.eeprom, std::vector<int>(64, 0));

    // A transcript cut short (gpsim died or was killed) is not a run.
    for (const size_t keep : {transcript.find("**gpsim> dump\n"), transcript.find("**gpsim> cycles\n")}) {
      SimulationResult cut;
      ReadHeadlessTranscript(transcript.substr(0, keep), cut);
      EXPECT_FALSE(cut.ok);
      EXPECT_FALSE(cut.error.empty());
    }
  }
}

TEST(GpsimReply, AnswersAndErrors) {
  // The answer split at the sync lines, the echoed commands ignored.
  const std::string transcript =
      "**gpsim> run\nrunning...\ncycle break: 0x3e8 = 1000\n5: **gpsim> run**gpsim> velmora_sync\nvelmora-pronto\n"
      "**gpsim> bogus\n***ERROR: syntax error while parsing:\n**gpsim> velmora_sync\nvelmora-pronto\n**gpsim> cyc";
  const auto answers = GpsimReply::SplitAtSync(transcript);
  ASSERT_EQ(answers.size(), 2u);
  EXPECT_TRUE(GpsimReply::HasSyncs(transcript, 2));
  EXPECT_FALSE(GpsimReply::HasSyncs(transcript, 3));
  EXPECT_EQ(GpsimReply::ParseRunStop(answers[0]).kind, RunStop::Kind::CycleBreak);
  EXPECT_TRUE(GpsimReply::Errors(answers[0]).empty());
  EXPECT_EQ(GpsimReply::Errors(answers[1]), std::vector<std::string>{"***ERROR: syntax error while parsing:"});
  EXPECT_EQ(GpsimReply::ParseRunStop(answers[1]).kind, RunStop::Kind::None);
  EXPECT_FALSE(GpsimReply::ParseRegisters(answers[1]));
  EXPECT_FALSE(GpsimReply::ParseCycles(answers[1]));
}

TEST(ProgramFiles, EquatesValuesAndSleepAddresses) {
  const std::string assembly =
      "        Include \"PIC16F84.DEF\"\r\n"
      "CONTATORE EQU 0x0C    ;BYTE(1-Byte)\r\n"
      "BUF       EQU 0x0D    ;BYTE(3-Byte)\r\n"
      "I         EQU 0x10    ;INTEGER(2-Byte)\r\n"
      "T         EQU 0x12    ;WORD(4-Byte)\r\n"
      "G         EQU 0x16    ;GER(4-Byte)\r\n"
      "W#VLTx    EQU 0x1A    ;BYTE(1-Byte)\r\n"
      "        MOVLW 0x01\r\n";
  std::vector<int> ram(0x100, 0);
  const int bytes[] = {7, 1, 2, 3, 0x34, 0x12, 0xFF, 0x00, 0x01, 0x01, 0x01, 0x00, 0x00, 0x00, 9};
  for (int i = 0; i < 15; ++i) ram[static_cast<size_t>(0x0C + i)] = bytes[i];
  struct Row { const char* name; int address, size, elementSize; const char* value; };
  const Row rows[] = {{"CONTATORE", 0x0C, 1, 1, "7"}, {"BUF", 0x0D, 3, 1, "1 2 3"}, {"I", 0x10, 2, 2, "4660"},
                      {"T", 0x12, 4, 2, "255 257"},   {"G", 0x16, 4, 4, "1"},       {"W#VLTx", 0x1A, 1, 1, "9"}};
  const std::vector<Variable> variables = ReadEquates(assembly);
  ASSERT_EQ(variables.size(), std::size(rows));
  for (size_t i = 0; i < variables.size(); ++i) {
    const Variable& v = variables[i];
    EXPECT_EQ(std::tuple(v.name, v.address, v.size, v.elementSize, VariableValue(v, ram)),
              std::tuple(std::string(rows[i].name), rows[i].address, rows[i].size, rows[i].elementSize,
                         std::string(rows[i].value)));
  }
  ram[0x0C] = -1;
  EXPECT_EQ(VariableValue(variables[0], ram), "?");

  // SLEEP (0x0063) at words 2 and 9; the configuration word and EEPROM
  // data beyond program memory do not count.
  const std::string hex =
      ":020000040000FA\n:0A00000007308C0063008C0A04280E\n:02001200630089\n:0200000400017F\n:02000E0063008D\n:00000001FF\n";
  EXPECT_EQ(SleepAddresses(hex), (std::vector<int>{2, 9}));
}

// Pins are read by velmorac --simulate (tests/cli/simulate.sh) and the
// exercise files (exercise_test.cpp).
TEST(ProgramFiles, AssemblerLines) {
  const auto lines = ParseAssemblerOutput(
      "p.asm:5:Message[302] Register in operand not in bank 0.\np.asm:7:Error[113]   Symbol not previously "
      "defined (X).\r\n\np.asm:9:Warning[202] Argument out of range.\nsomething else\n");
  using K = AssemblerLine::Kind;
  ASSERT_EQ(lines.size(), 4u);
  EXPECT_EQ(lines[0].kind, K::Message);
  EXPECT_EQ(lines[1].kind, K::Error);
  EXPECT_EQ(lines[1].text, "p.asm:7:Error[113]   Symbol not previously defined (X).");
  EXPECT_EQ(lines[2].kind, K::Warning);
  EXPECT_EQ(lines[3].kind, K::Other);
}

}  // namespace
}  // namespace velmora::toolchain
