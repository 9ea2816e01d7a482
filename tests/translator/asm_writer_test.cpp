// The assembly writer: the runtime routines, the RAM check and the definitions
// file. The frame itself (header, EQU table, DATA table, interrupt handler)
// is compared byte for byte by the golden files.
#include "asm_writer.h"

#include <gtest/gtest.h>

#include <vector>

#include "text.h"

namespace velmora {
namespace {

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> out;
  size_t from = 0;
  for (size_t to; (to = text.find("\r\n", from)) != std::string::npos; from = to + 2)
    out.push_back(text.substr(from, to - from));
  out.push_back(text.substr(from));  // what follows the last CR LF
  return out;
}

TEST(AsmWriter, RoutinesOnlyWhenFlagged) {
  CompileState st;
  st.Flag_RD = st.Flag_WRT = st.Flag_DV10 = true;  // no Flag_Routine: nothing
  ScriviRoutine(st);
  EXPECT_EQ(st.TextASM, "");
  st.Flag_Routine = true;
  st.Flag_WRT = st.Flag_DV10 = false;
  ScriviRoutine(st);
  EXPECT_EQ(Lines(st.TextASM).size(), 8u);
  EXPECT_EQ(Lines(st.TextASM)[0], "@@RD:   MOVWF Reg_Eeadr");
  st.TextASM.clear();
  st.Flag_RD = false;
  st.Flag_WRT = true;
  ScriviRoutine(st);
  EXPECT_EQ(Lines(st.TextASM).size(), 35u);
  st.TextASM.clear();
  st.Flag_WRT = false;
  st.Flag_DV10 = true;
  ScriviRoutine(st);
  EXPECT_EQ(Lines(st.TextASM)[0], "@@DV10: Movwf W#D2");
  EXPECT_EQ(Lines(st.TextASM)[15], "@@DV10C: Movf W#D2 , W");
  EXPECT_EQ(st.PoolDinamiche, std::string("\1\2\3\4\5\6\7\10\11\12\13\14\15\16\17"));
}

TEST(AsmWriter, WorkBytesBeyondTheRamAreReported) {
  // BIG + W#VLTx + W#VLTy + the three context bytes against the 68 bytes of RAM.
  for (const int big : {63, 64}) {
    CompileState st;
    AggiungiVariabile(st, "BIG", "BYTE", std::to_string(big));
    st.Flag_VLTy = st.Flag_INT = true;
    st.LabelFineINT = "@1";
    ScriviASM(st);
    EXPECT_EQ(st.Flag_Errore, big == 64) << big;
    EXPECT_EQ(text::StartsWith(st.TextASM, "<*> ERRORE : Memoria RAM esaurita"), big == 64) << big;
  }
}

TEST(AsmWriter, DefinitionsFile) {
  const auto lines = Lines(TestoDefinizioni());
  ASSERT_EQ(lines.size(), 49u);  // 48 lines, each ended by CR LF
  EXPECT_EQ(lines[3], "Reg_Indf        EQU     0x00");
  EXPECT_EQ(lines[22], "Reg_Status2     EQU     0x83");
  EXPECT_EQ(lines[15], "");
  EXPECT_EQ(lines[36], "        Constant Bit_0 = 0");
  EXPECT_EQ(lines[43], "        Constant Bit_7 = 7");
  EXPECT_EQ(lines[47], "        Constant Flag_Z  = 2");
  EXPECT_EQ(lines[48], "");
}

}  // namespace
}  // namespace velmora
