// SPDX-License-Identifier: GPL-3.0-or-later
// The toolchain on the real gpasm and gpsim: pin levels, the watchdog
// switch, assembling beside the program, a hung gpsim (velmorac --simulate:
// tests/cli/simulate.sh).
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <cstdlib>
#include <fstream>

#include "assembler.h"
#include "sim_fixture.h"
#include "simulator.h"

namespace velmora::toolchain {
namespace {

namespace fs = std::filesystem;

// A fresh folder of this process under the test folder.
fs::path Scratch(const std::string& tag) {
  const fs::path dir = fs::path(VELMORA_TEST_TMP) / (tag + "-" + std::to_string(::getpid()));
  fs::create_directories(dir);
  return dir;
}

// Holds X=0x2A, Y=PORTA, Z=PORTB (low nibble an output holding 5, high
// nibble inputs with the weak pull-ups on), then loops without clearing the
// watchdog; with the watchdog on, it resets the chip (TO, STATUS bit 4,
// cleared) and the program starts over.
TEST(Simulate, PinsWatchdogAndSleep) {
  const std::string probe =
      "X EQU 0x0C ;BYTE(1-Byte)\nY EQU 0x0D ;BYTE(1-Byte)\nZ EQU 0x0E ;BYTE(1-Byte)\n        ORG 0\n"
      "        BSF 0x03 , 5\n        MOVLW 0x08\n        MOVWF 0x81\n        BCF 0x81 , 7\n        MOVLW 0x1F\n"
      "        MOVWF 0x85\n        MOVLW 0xF0\n        MOVWF 0x86\n        BCF 0x03 , 5\n        MOVLW 0x05\n"
      "        MOVWF 0x06\n        MOVLW 0x2A\n        MOVWF X\n        MOVF 0x05 , W\n        MOVWF Y\n"
      "        MOVF 0x06 , W\n        MOVWF Z\n        GOTO $-4\n        END\n";
  const fs::path dir = Scratch("probe");
  const AssembleResult assembled = Assemble(dir.string(), "probe", probe);
  ASSERT_TRUE(assembled.ok) << assembled.error;
  struct Row { std::vector<std::pair<Pin, bool>> pins; bool watchdog; int y, z; };
  const Row rows[] = {{{}, false, 0x00, 0x05},
                      {{{{'A', 0}, true}, {{'A', 3}, true}, {{'B', 5}, true}, {{'B', 1}, true}}, false, 0x09, 0x25},
                      {{{{'B', 7}, true}}, true, 0x00, 0x85}};
  for (const Row& row : rows) {
    SCOPED_TRACE("watchdog " + std::to_string(row.watchdog));
    SimulationOptions options;
    options.cycles = 400000;
    options.pins = row.pins;
    options.watchdog = row.watchdog;
    const SimulationResult r = Simulate(assembled.codPath, options);
    ASSERT_TRUE(r.ok) << r.error << r.transcript;
    EXPECT_EQ(r.chip.registers[0x0C], 0x2A);
    EXPECT_EQ(r.chip.registers[0x0D], row.y);
    EXPECT_EQ(r.chip.registers[0x0E], row.z);
    EXPECT_EQ((r.chip.registers[0x03] >> 4) & 1, row.watchdog ? 0 : 1);
    EXPECT_FALSE(r.chip.sleep);
    EXPECT_GE(r.chip.cycles, 400000u);
  }
  fs::remove_all(dir);
}

// The window's Assembla: FILE.asm, PIC16F84.DEF, FILE.hex and FILE.cod
// beside the program; gpasm's errors handed back, stale outputs removed.
TEST(Assemble, BesideTheProgram) {
  const fs::path dir = Scratch("beside");
  struct Row { const char* source; bool ok; int errors; };
  const Row rows[] = {{"X EQU 0x0C\r\n        ORG 0\r\n        CLRF X\r\n        END\r\n", true, 0},
                      {"        ORG 0\r\n        CLRF UNDEFINED\r\n        FROB 1\r\n        END\r\n", false, 2}};
  for (const Row& row : rows) {
    SCOPED_TRACE(row.source);
    const AssembleResult r = AssembleBeside((dir / "prog.bas").string(), row.source);
    EXPECT_EQ(r.ok, row.ok) << r.error;
    EXPECT_EQ(r.errors, row.errors);
    EXPECT_EQ(test::ReadFile((dir / "prog.asm").string()), row.source);
    EXPECT_EQ(test::ReadFile((dir / "PIC16F84.DEF").string()).substr(0, 20), ";  Register Bank 0\r\n");
    EXPECT_EQ(fs::exists(dir / "prog.hex"), row.ok);
    EXPECT_EQ(fs::exists(dir / "prog.cod"), row.ok);
    EXPECT_EQ(AssembleSummary(r), row.ok ? "Assemblaggio riuscito: " + (dir / "prog.hex").string()
                                         : "Assemblaggio non riuscito (gpasm: 2 errori)");
  }
  fs::remove_all(dir);
}

// A gpsim that never answers is stopped at the time limit and reported
// (missing tools: tests/cli/simulate.sh).
TEST(Simulate, HungGpsimIsStopped) {
  const fs::path dir = Scratch("tools");
  const AssembleResult assembled = Assemble(dir.string(), "p", "        ORG 0\n        GOTO $\n        END\n");
  ASSERT_TRUE(assembled.ok) << assembled.error;
  std::ofstream(dir / "gpsim") << "#!/bin/sh\nexec /bin/sleep 60\n";
  fs::permissions(dir / "gpsim", fs::perms::owner_all);
  const std::string savedPath = std::getenv("PATH");
  ::setenv("PATH", dir.c_str(), 1);
  SimulationOptions options;
  options.timeLimit = std::chrono::milliseconds(500);
  const SimulationResult hung = Simulate(assembled.codPath, options);
  ::setenv("PATH", savedPath.c_str(), 1);

  EXPECT_TRUE(hung.timedOut);
  EXPECT_FALSE(hung.ok);
  EXPECT_NE(hung.error.find("gpsim non ha risposto"), std::string::npos) << hung.error;
  fs::remove_all(dir);
}

}  // namespace
}  // namespace velmora::toolchain
