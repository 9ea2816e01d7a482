// The on-chip helper itself, for what the on-chip tests cannot show: a source
// gpasm refuses, or a run gpsim stops by itself, is never taken as a run.
// (The RAM, ports, TRIS registers and EEPROM are read back by the on-chip
// tests against known values.)
#include <gtest/gtest.h>

#include <string>

#include "chip_sim.h"

namespace velmora::test {
namespace {

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

// Stores 0x2A in X, then writes 0x5C into EEPROM byte `address`: beyond the
// 64 bytes gpsim halts, and what was done before is still read back. Only
// general-purpose RAM equates are variables.
TEST(ChipSim, AHaltedRunIsNotComplete) {
  for (const std::string address : {"0x03", "0x41"}) {
    const ChipResult r = RunAssemblyOnChip(
        "X       EQU 0x0C\nCONST1  EQU 0x90\n        ORG 0\n        MOVLW 0x2A\n        MOVWF X\n        MOVLW " +
        address +
        "\n        MOVWF 0x09\n        MOVLW 0x5C\n        MOVWF 0x08\n        BSF 0x03 , 5\n        BSF 0x88 , 2\n"
        "        MOVLW 0x55\n        MOVWF 0x89\n        MOVLW 0xAA\n        MOVWF 0x89\n        BSF 0x88 , 1\n"
        "        BTFSC 0x88 , 1\n        GOTO $-1\n        BCF 0x03 , 5\n        GOTO $\n        END\n");
    SCOPED_TRACE(address);
    EXPECT_TRUE(r.assembled) << r.log;
    EXPECT_EQ(r.ran, address == "0x03") << r.log;
    EXPECT_EQ(r.Var("X"), 0x2A);
    EXPECT_EQ(r.Var("CONST1"), -1);
    if (r.ran) {
      EXPECT_EQ(r.eeprom.at(3), 0x5C);
    } else {
      EXPECT_NE(r.log.find("stopped before cycle"), std::string::npos) << r.log;
    }
  }
}

}  // namespace
}  // namespace velmora::test
