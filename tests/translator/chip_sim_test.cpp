// The on-chip helper itself: a hand-written program runs on the simulated
// chip and its RAM, ports, TRIS registers and data EEPROM are read back.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "chip_sim.h"

namespace velmora::test {
namespace {

// Stores 0x2A in X, copies the pins of PORTA to Y and of PORTB to Z (PORTB's
// low nibble is an output holding 5, its high nibble inputs with the weak
// pull-ups on, so an input held low must still read low), writes 0x5C into
// EEPROM byte `eeAddress`, then waits with the watchdog at its shortest
// period (a watchdog reset clears the TO bit, STATUS bit 4).
std::string Probe(int eeAddress) {
  char address[8];
  std::snprintf(address, sizeof address, "0x%02X", eeAddress);
  return std::string(R"(X       EQU 0x0C    ;BYTE(1-Byte)
Y       EQU 0x0D    ;BYTE(1-Byte)
Z       EQU 0x0E    ;BYTE(1-Byte)
CONST1  EQU 0x90
        ORG 0
        BSF 0x03 , 5
        MOVLW 0x08
        MOVWF 0x81
        BCF 0x81 , 7
        MOVLW 0x1F
        MOVWF 0x85
        MOVLW 0xF0
        MOVWF 0x86
        BCF 0x03 , 5
        MOVLW 0x05
        MOVWF 0x06
        MOVLW 0x2A
        MOVWF X
        MOVF 0x05 , W
        MOVWF Y
        MOVF 0x06 , W
        MOVWF Z
        MOVLW )") + address + R"(
        MOVWF 0x09
        MOVLW 0x5C
        MOVWF 0x08
        BSF 0x03 , 5
        BSF 0x88 , 2
        MOVLW 0x55
        MOVWF 0x89
        MOVLW 0xAA
        MOVWF 0x89
        BSF 0x88 , 1
        BTFSC 0x88 , 1
        GOTO $-1
        BCF 0x03 , 5
        GOTO $
        END
)";
}

// An EEPROM address beyond the 64 bytes makes gpsim halt: the run is not
// taken as complete, though what was done before is read back.
TEST(ChipSim, ReadsRamPortsTrisAndEeprom) {
  struct Row { int portA, portB; bool watchdog; int eeAddress; };
  const Row rows[] = {{0x00, 0x00, false, 3}, {0x09, 0x30, false, 3}, {0x1F, 0xFF, false, 3},
                      {0x02, 0x80, true, 3}, {0x00, 0x00, false, 0x41}};
  for (const Row& row : rows) {
    SCOPED_TRACE("portA=" + std::to_string(row.portA) + " portB=" + std::to_string(row.portB) +
                 " watchdog=" + std::to_string(row.watchdog) + " EEPROM address=" + std::to_string(row.eeAddress));
    ChipOptions options;
    options.cycles = 400000;
    options.portAInputs = row.portA;
    options.portBInputs = row.portB;
    options.watchdog = row.watchdog;
    const ChipResult r = RunAssemblyOnChip(Probe(row.eeAddress), options);
    EXPECT_TRUE(r.assembled) << r.log;
    EXPECT_EQ(r.ran, row.eeAddress < 64) << r.log;
    EXPECT_EQ(r.Var("X"), 0x2A);
    EXPECT_EQ(r.Var("Y"), row.portA);
    // Output pins keep the level the program drives.
    EXPECT_EQ(r.Var("Z"), (row.portB & 0xF0) | 0x05);
    if (row.eeAddress >= 64) {
      EXPECT_NE(r.log.find("stopped before cycle 400000"), std::string::npos) << r.log;
      continue;
    }
    ASSERT_EQ(r.memory.size(), 0x50u);
    EXPECT_EQ((r.memory[0x03] >> 4) & 1, row.watchdog ? 0 : 1);
    EXPECT_EQ(r.memory[0x0C], 0x2A);
    EXPECT_EQ(r.portA, row.portA);
    EXPECT_EQ(r.portB, r.Var("Z"));
    EXPECT_EQ(r.trisA, 0x1F);
    EXPECT_EQ(r.trisB, 0xF0);
    ASSERT_EQ(r.eeprom.size(), 64u);
    EXPECT_EQ(r.eeprom[3], 0x5C);
    // Only general-purpose RAM equates are variables.
    EXPECT_EQ(r.Var("CONST1"), -1);
    EXPECT_EQ(r.Var("NOSUCH"), -1);
  }
}

TEST(ChipSim, ReportsAssemblerFailures) {
  struct Row { const char* source; bool assembles; };
  const Row rows[] = {
      {"X       EQU 0x0C\r\n        ORG 0\r\n        CLRF X\r\n        END\r\n", true},
      {"        ORG 0\r\n        CLRF UNDEFINED\r\n        END\r\n", false},
      {"        ORG 0\r\n        FROB 0x0C\r\n        END\r\n", false},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.source);
    std::string log;
    EXPECT_EQ(AssemblesCleanly(row.source, &log), row.assembles) << log;
    const ChipResult r = RunAssemblyOnChip(row.source, {});
    EXPECT_EQ(r.assembled, row.assembles) << r.log;
    EXPECT_EQ(r.ok(), row.assembles);
    if (!row.assembles) {
      EXPECT_NE(r.log.find("rror"), std::string::npos) << r.log;
    }
  }
}

}  // namespace
}  // namespace velmora::test
