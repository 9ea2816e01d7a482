// SPDX-License-Identifier: GPL-3.0-or-later
// The toolchain on the real gpasm and gpsim: pin levels, the watchdog
// switch, assembling beside the program, a hung gpsim (velmorac --simulate:
// tests/cli/simulate.sh), copies of a serving gpsim against new ones.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <cstdlib>
#include <fstream>

#include <signal.h>

#include <thread>

#include "assembler.h"
#include "gpsim_server.h"
#include "sim_fixture.h"
#include "simulator.h"
#include "translator.h"

#include "scratch.h"

namespace velmora::toolchain {
namespace {

namespace fs = std::filesystem;

using test::Scratch;

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

// A copy of the serving gpsim must run every program exactly as a new gpsim
// does: the examples (interrupts, EEPROM, TMR0, the board's programs), a
// watchdog reset and a stack overflow, with held pins, stimuli and the
// recording of the lines and a byte.
TEST(GpsimServer, CopiesRunAsNewGpsim) {
  const std::string module = VelmoraModulePath(), gpsim = FindTool("gpsim");
  if (module.empty() || gpsim.empty()) GTEST_SKIP() << "gpsim o il modulo di Velmora mancano";
  std::string error;
  const auto server = GpsimServer::Start(gpsim, module, error);
  ASSERT_TRUE(server) << error;
  std::vector<std::pair<std::string, std::string>> programs;  // name, assembly
  for (const auto& entry : fs::directory_iterator(fs::path(VELMORA_SOURCE_DIR) / "examples"))
    if (entry.path().extension() == ".bas") {
      const TranslationResult t = Translator().Translate(test::ReadFile(entry.path().string()), {});
      ASSERT_TRUE(t.ok) << entry.path();
      programs.emplace_back(entry.path().stem().string(), AssemblyFileBytes(t.assembly));
    }
  programs.emplace_back("stack", "        ORG 0\n        CALL 0\n        END\n");
  programs.emplace_back("watchdog",  // the prescaler on the watchdog at 1:1
                        "        ORG 0\n        BSF 0x03 , 5\n        MOVLW 0x08\n        MOVWF 0x81\n"
                        "        BCF 0x03 , 5\n        MOVLW 0x2A\n        MOVWF 0x0C\n        GOTO $\n        END\n");
  const fs::path dir = Scratch("copies");
  for (const auto& [name, assembly] : programs) {
    SCOPED_TRACE(name);
    fs::create_directories(dir / name);
    const AssembleResult assembled = Assemble((dir / name).string(), "programma", assembly);
    ASSERT_TRUE(assembled.ok) << assembled.error;
    SimulationOptions options;
    options.watchdog = name == "watchdog";
    options.cycles = options.watchdog ? 400000 : 60000;
    options.pins = {{{'A', 0}, true}, {{'B', 1}, true}};
    options.stimuli = {{5000, {'B', 0}, true, 1}, {9000, {'B', 0}, false, 2}, {20000, {'A', 1}, true, 3}};
    options.record = true;
    options.buses = {{"X", 0x0C}};
    options.modulePath = module;
    const SimulationResult fresh = Simulate(assembled.codPath, options);
    options.server = server.get();
    const SimulationResult copy = Simulate(assembled.codPath, options);
    ASSERT_TRUE(fresh.ok && copy.ok) << fresh.error << copy.error << copy.transcript;
    EXPECT_FALSE(fresh.copy);
    EXPECT_TRUE(copy.copy);
    EXPECT_EQ(copy.chip.registers, fresh.chip.registers);
    EXPECT_EQ(copy.chip.eeprom, fresh.chip.eeprom);
    EXPECT_EQ(std::tie(copy.chip.w, copy.chip.pc, copy.chip.cycles, copy.chip.sleep, copy.chip.returnAddress),
              std::tie(fresh.chip.w, fresh.chip.pc, fresh.chip.cycles, fresh.chip.sleep, fresh.chip.returnAddress));
    EXPECT_EQ(copy.stop.kind, fresh.stop.kind);
    EXPECT_EQ(copy.trace.edges, fresh.trace.edges);
    EXPECT_EQ(copy.trace.bytes, fresh.trace.bytes);
    EXPECT_EQ(copy.trace.endCycle, fresh.trace.endCycle);
    if (name == "stack") {
      EXPECT_TRUE(copy.stop.IsFault()) << copy.stop.original;
    }
    if (name == "watchdog") {
      EXPECT_EQ((copy.chip.registers[0x03] >> 4) & 1, 0);
    }
  }
}

// The copies die with the server, and a run whose copy hangs is stopped at
// its time limit.
TEST(GpsimServer, NothingOutlivesTheServer) {
  const std::string module = VelmoraModulePath(), gpsim = FindTool("gpsim");
  if (module.empty() || gpsim.empty()) GTEST_SKIP() << "gpsim o il modulo di Velmora mancano";
  std::string error;
  auto server = GpsimServer::Start(gpsim, module, error);
  ASSERT_TRUE(server) << error;
  const fs::path dir = Scratch("endless");
  const AssembleResult assembled = Assemble(dir.string(), "p", "        ORG 0\n        GOTO $\n        END\n");
  ASSERT_TRUE(assembled.ok) << assembled.error;
  SimulationOptions options;
  options.cycles = 1000000000000;
  options.timeLimit = std::chrono::milliseconds(300);
  options.modulePath = module;
  options.server = server.get();
  const SimulationResult hung = Simulate(assembled.codPath, options);
  EXPECT_TRUE(hung.copy && hung.timedOut && !hung.ok) << hung.error;

  ToolProcess copy;
  ASSERT_TRUE(server->Open(fs::temp_directory_path().string(), copy, error)) << error;
  const pid_t pid = copy.pid();
  ASSERT_GT(pid, 0);
  EXPECT_EQ(::kill(pid, 0), 0);
  server.reset();
  // Gone, or a zombie waiting for a parent that does not reap (a container's
  // first process may not).
  const auto alive = [pid] {
    std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
    std::string number, command, state;
    return stat >> number >> command >> state && state != "Z";
  };
  for (int i = 0; i < 200 && alive(); ++i) std::this_thread::sleep_for(std::chrono::milliseconds(10));
  EXPECT_FALSE(alive());
}

}  // namespace
}  // namespace velmora::toolchain
