// SPDX-License-Identifier: GPL-3.0-or-later
// Reading gpsim's answers and the program's files, on transcripts recorded
// from gpsim 0.31 (transcripts/: headless runs of velmorac --simulate with
// Velmora's module, stopped at SLEEP, at the cycle limit and by each of
// gpsim's own stops; watchdog_reset_window.txt is a run of the window's
// kind, where resets break) and on hand-written inputs.
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
    EXPECT_FALSE(r.stop.IsFault());
    EXPECT_TRUE(r.stop.notes.empty());

    // A transcript cut short (gpsim died or was killed) is not a run.
    for (const size_t keep : {transcript.find("**gpsim> dump\n"), transcript.find("**gpsim> cycles\n")}) {
      SimulationResult cut;
      ReadHeadlessTranscript(transcript.substr(0, keep), cut);
      EXPECT_FALSE(cut.ok);
      EXPECT_FALSE(cut.error.empty());
    }
  }
}

// gpsim's own stops, one recorded run each: the kind, the address or
// register, the instruction gpsim ran last, the return address on top of
// the stack, gpsim's words and the Italian explanation.
TEST(GpsimStops, RecordedStops) {
  using K = StopKind;
  struct Row {
    const char* file; K kind; const char* word; int address, pc, returnAddress; const char* original, *explains;
  };
  const Row rows[] = {
      {"eeprom_read.txt", K::EepromRead, "eeprom-lettura", 100, 7, 2, "EEPROM read address is out of range 64",
       "lettura della EEPROM dati all'indirizzo 100, che non esiste"},
      {"eeprom_write.txt", K::EepromWrite, "eeprom-scrittura", 200, 40, 6, "EEPROM write address is out of range c8",
       "scrittura nella EEPROM dati all'indirizzo 200, che non esiste"},
      {"register_read.txt", K::RegisterRead, "registro-lettura", 0x87, 4, -1,
       "attempt read from invalid file register address 0x87", "lettura del registro 0x87 (TRISC), che il PIC16F84 non ha"},
      {"register_write.txt", K::RegisterWrite, "registro-scrittura", 0x87, 5, -1,
       "attempt write to invalid file register address 0x87, value 0xff", "scrittura nel registro 0x87 (TRISC)"},
      {"stack_overflow.txt", K::StackOverflow, "stack-pieno", -1, 2, 3, "stack overflow", "stack pieno: una nona"},
      {"stack_underflow.txt", K::StackUnderflow, "stack-vuoto", -1, 0, -1, "stack underflow", "stack vuoto: un RETURN"},
      // With resets not breaking (headless), the watchdog restarts the
      // program and the run ends at its cycle limit.
      {"watchdog_restarts.txt", K::CycleLimit, "", -1, 1, -1, "", ""},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.file);
    SimulationResult r;
    ReadHeadlessTranscript(Transcript(row.file), r);
    ASSERT_TRUE(r.ok) << r.error;
    EXPECT_EQ(std::tuple(r.stop.kind, StopWord(r.stop.kind), r.stop.address, r.stop.pc, r.chip.returnAddress),
              std::tuple(row.kind, std::string(row.word), row.address, row.pc, row.returnAddress));
    EXPECT_EQ(r.stop.IsFault(), row.kind != K::CycleLimit);
    if (r.stop.IsFault()) {
      EXPECT_EQ(r.stop.original, row.original);
    }
    EXPECT_EQ(StopExplanation(r.stop).rfind(row.explains, 0), 0u) << StopExplanation(r.stop);
    EXPECT_TRUE(r.stop.notes.empty()) << r.stop.notes.front();
    EXPECT_FALSE(r.chip.sleep);
  }
  // The cycle of the faulting instruction as gpsim's trace line gives it
  // (the EEPROM read's BSF EECON1, the MOVF of TRISC), before the counter
  // read back after the run (5 and 4).
  for (const auto& [file, cycle] : {std::pair("eeprom_read.txt", 4u), std::pair("register_read.txt", 3u)}) {
    SimulationResult r;
    ReadHeadlessTranscript(Transcript(file), r);
    EXPECT_EQ(r.stop.cycle, std::optional<std::uint64_t>(cycle)) << file;
  }
  // The window's run, where resets break: the watchdog stops it.
  const auto answers = GpsimReply::SplitAtSync(Transcript("watchdog_reset_window.txt"));
  ASSERT_EQ(answers.size(), 2u);
  const GpsimStop watchdog = ParseGpsimStop(answers[1]);
  EXPECT_EQ(std::tuple(watchdog.kind, watchdog.pc, watchdog.original), std::tuple(K::Watchdog, 1, std::string("WDT expired reset")));
  EXPECT_EQ(StopWord(watchdog.kind), "watchdog");
}

// Text the parser does not know never fails a run: a line added to a
// recorded stop is a note beside the stop, and a recorded stop whose
// message lines are replaced by text no gpsim prints becomes an unknown
// stop that carries that text.
TEST(GpsimStops, UnknownTextIsKept) {
  const std::string recorded = Transcript("register_read.txt");
  const auto replace = [&recorded](const std::string& what, const std::string& with) {
    std::string t = recorded;
    const size_t at = t.find(what);
    EXPECT_NE(at, std::string::npos) << what;
    return t.replace(at, what.size(), with);
  };
  SimulationResult noted;
  ReadHeadlessTranscript(replace("running...\n", "running...\nLa cometa passa\n"), noted);
  ASSERT_TRUE(noted.ok) << noted.error;
  EXPECT_EQ(noted.stop.kind, StopKind::RegisterRead);
  EXPECT_EQ(noted.stop.notes, std::vector<std::string>{"La cometa passa"});

  SimulationResult unknown;
  ReadHeadlessTranscript(
      replace("attempt read from invalid file register\n    address 0x87\n", "Zorglub:\tfermo  qui\n"), unknown);
  ASSERT_TRUE(unknown.ok) << unknown.error;
  EXPECT_EQ(std::tuple(unknown.stop.kind, StopWord(unknown.stop.kind), unknown.stop.original, unknown.stop.pc),
            std::tuple(StopKind::Unknown, std::string("altro"), std::string("Zorglub: fermo qui"), 4));
  EXPECT_TRUE(unknown.stop.IsFault());

  // A step's answer is the trace of its instruction, not an unknown stop.
  EXPECT_EQ(ParseGpsimStop("**gpsim> step 1\n0x0000000000000003 p16f84 0x0003 0x0086 movwf\ttrisb\n"
                           "9:   Read: 0x00FF from W\n").kind,
            StopKind::None);
}

// The BASIC line of a stop: the instruction's own, or that of the CALL the
// return address on the stack comes back to (a runtime routine has none).
TEST(GpsimStops, PlaceOfStop) {
  const std::vector<int> lines = {0, 2, 2, 3, 0, 0, 0};  // 0: start-up, 4-6: a routine
  struct Row { int pc, returnAddress, line, address; };
  for (const Row& row : {Row{2, -1, 2, 2}, Row{5, 3, 2, 2}, Row{5, 4, 3, 3}, Row{5, -1, 0, 5}, Row{0, 1, 0, 0},
                         Row{-1, -1, 0, -1}, Row{900, -1, 0, 900}}) {
    const StopPlace p = PlaceOfStop(row.pc, row.returnAddress, lines);
    EXPECT_EQ(std::pair(p.line, p.address), std::pair(row.line, row.address)) << row.pc << " " << row.returnAddress;
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
