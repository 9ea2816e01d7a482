// The on-chip helper itself: a hand-written program runs on the simulated
// chip and its RAM, ports, TRIS registers and data EEPROM are read back.
#include <gtest/gtest.h>

#include <string>

#include "chip_sim.h"

namespace velmora::test {
namespace {

// Stores 0x2A in X, copies the pins of PORTA to Y and of PORTB to Z (PORTB's
// low nibble is an output holding 5, its high nibble inputs with the weak
// pull-ups on, so an input held low must still read low), writes 0x5C into
// EEPROM byte 3, then spends about 200000 cycles in a delay loop with the
// watchdog at its shortest period before it sets DONE.
const char* const kProbe = R"(X       EQU 0x0C    ;BYTE(1-Byte)
Y       EQU 0x0D    ;BYTE(1-Byte)
Z       EQU 0x0E    ;BYTE(1-Byte)
DONE    EQU 0x0F    ;BYTE(1-Byte)
D1      EQU 0x10    ;BYTE(1-Byte)
D2      EQU 0x11    ;BYTE(1-Byte)
CONST1  EQU 0x90
        ORG 0
        CLRF DONE
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
        MOVLW 0x03
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
        CLRF D2
OUTER:  CLRF D1
INNER:  DECFSZ D1 , F
        GOTO INNER
        DECFSZ D2 , F
        GOTO OUTER
        INCF DONE , F
        GOTO $
        END
)";

TEST(ChipSim, ReadsRamPortsTrisAndEeprom) {
  struct Row {
    int portA, portB;
    bool watchdog;
    int y, z, done;
  };
  const Row rows[] = {
      {0x00, 0x00, false, 0x00, 0x05, 1},
      {0x09, 0x30, false, 0x09, 0x35, 1},
      // Output pins keep the level the program drives.
      {0x1F, 0xFF, false, 0x1F, 0xF5, 1},
      // With the watchdog on, the chip resets again and again before the
      // delay ends.
      {0x02, 0x80, true, 0x02, 0x85, 0},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE("portA=" + std::to_string(row.portA) + " portB=" + std::to_string(row.portB) +
                 " watchdog=" + std::to_string(row.watchdog));
    ChipOptions options;
    options.cycles = 400000;
    options.portAInputs = row.portA;
    options.portBInputs = row.portB;
    options.watchdog = row.watchdog;
    const ChipResult r = RunAssemblyOnChip(kProbe, options);
    ASSERT_TRUE(r.ok()) << r.log;
    EXPECT_EQ(r.Var("DONE"), row.done);
    // After a watchdog reset the chip is caught at some point of its restart.
    if (row.watchdog) continue;
    EXPECT_EQ(r.Var("X"), 0x2A);
    EXPECT_EQ(r.Var("Y"), row.y);
    EXPECT_EQ(r.Var("Z"), row.z);
    EXPECT_EQ(r.portA, row.portA);
    EXPECT_EQ(r.portB, row.z);
    EXPECT_EQ(r.trisA, 0x1F);
    EXPECT_EQ(r.trisB, 0xF0);
    ASSERT_EQ(r.eeprom.size(), 64u);
    EXPECT_EQ(r.eeprom[3], 0x5C);
    ASSERT_EQ(r.memory.size(), 0x50u);
    EXPECT_EQ(r.memory[0x0C], 0x2A);
    // Only general-purpose RAM equates are variables.
    EXPECT_EQ(r.Var("CONST1"), -1);
    EXPECT_EQ(r.Var("NOSUCH"), -1);
  }
}

TEST(ChipSim, ReportsAssemblerFailures) {
  struct Row {
    const char* source;
    bool assembles;
  };
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

// gpsim halts on an EEPROM write beyond the 64 bytes; the run is not taken
// as complete, though what was done before is read back.
TEST(ChipSim, ReportsARunThatStopsEarly) {
  const char* const source =
      "X       EQU 0x0C\r\n        ORG 0\r\n        MOVLW 0x07\r\n        MOVWF X\r\n"
      "        MOVLW 0x41\r\n        MOVWF 0x09\r\n        BSF 0x03 , 5\r\n"
      "        BSF 0x88 , 2\r\n        MOVLW 0x55\r\n        MOVWF 0x89\r\n"
      "        MOVLW 0xAA\r\n        MOVWF 0x89\r\n        BSF 0x88 , 1\r\n"
      "        GOTO $\r\n        END\r\n";
  const ChipResult r = RunAssemblyOnChip(source, {});
  EXPECT_TRUE(r.assembled) << r.log;
  EXPECT_FALSE(r.ran);
  EXPECT_NE(r.log.find("stopped before cycle 200000"), std::string::npos) << r.log;
  EXPECT_EQ(r.Var("X"), 7);
}

}  // namespace
}  // namespace velmora::test
