// The assembly writer: the frame around the translated program.
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

TEST(AsmWriter, PlainProgramFrame) {
  CompileState st;
  st.NoInput = 3;
  st.ArrayInput[1] = "A>        MOVLW 0x05";
  st.ArrayInput[2] = "";
  st.ArrayInput[3] = "A>        MOVWF COUNT";
  AggiungiVariabile(st, "COUNT", "BYTE", "1");
  AggiungiVariabile(st, "BUF", "BYTE", "10");
  AggiungiVariabile(st, "NEXTONE", "BYTE", "1");
  ScriviASM(st);
  const std::vector<std::string> want = {
      "        Title \"BASIC to PIC Translator\"",
      "        SubTitle \"" + CreditoAutore() + "\"",
      "        Include \"PIC16F84.DEF\"",
      "COUNT   EQU 0x0C    ;BYTE(1-Byte)",
      "BUF     EQU 0x0D    ;BYTE(10-Byte)",
      "NEXTONE EQU 0x17    ;BYTE(1-Byte)",
      "W#VLTx  EQU 0x18    ;BYTE(1-Byte)",
      "        ORG 0",
      "        MOVLW 0x05",
      "        MOVWF COUNT",
      "        END",
      "",
      ""};
  EXPECT_EQ(Lines(st.TextASM), want);
  EXPECT_EQ(st.NoFAT, 4);
}

TEST(AsmWriter, WidthFollowsTheLongestNameAndDataTableComesFirst) {
  CompileState st;
  AggiungiVariabile(st, "A_VERY_LONG_NAME", "INTEGER", "2");
  st.NoDATA = 2;
  st.ArrayDATA[1] = 0;
  st.ArrayDATA[2] = 256;
  st.NoInput = 1;
  st.ArrayInput[1] = "A>        SLEEP";
  ScriviASM(st);
  const auto lines = Lines(st.TextASM);
  EXPECT_EQ(lines[3], "A_VERY_LONG_NAME EQU 0x0C    ;INTEGER(2-Byte)");
  EXPECT_EQ(lines[4], "W#VLTx           EQU 0x0E    ;BYTE(1-Byte)");
  const std::vector<std::string> body(lines.begin() + 6, lines.end());
  const std::vector<std::string> want = {
      "        GOTO @1",          "@@GD:   CLRF Reg_Pclath", "        ADDLW 3",
      "        ADDwf Reg_Pcl, W", "        BTFSC Reg_Status, Bit_0", "        Incf  Reg_Pclath , F",
      "        MOVWF Reg_Pcl",    "        NOP",             "        RETLW 0",
      "        RETLW 0x00",       "@1:",                     "        SLEEP",
      "        END",              "",                        ""};
  EXPECT_EQ(body, want);
}

TEST(AsmWriter, InterruptFrameWithTimerReload) {
  struct Row { std::string var; int value; std::string reload; };
  const Row rows[] = {{"", 6, "        MOVLW 0x6"}, {"RELOAD", 0, "        MOVF RELOAD , W"}};
  for (const auto& r : rows) {
    CompileState st;
    AggiungiVariabile(st, "RELOAD", "BYTE", "1");
    st.Flag_INT = st.Flag_INT_TMR0 = true;
    st.LabelFineINT = NuovaLabel(st);  // @1
    st.TimerInit = r.value;
    st.TimerInitVar = r.var;
    for (const char* l : {"        BTFSS Reg_Intcon , Bit_2", "        GOTO $+7", "        CALL TICK",
                          "        MOVLW 0", "        MOVWF Reg_Tmr0", "        BCF Reg_Intcon , Bit_2",
                          "        BSF Reg_Intcon , Bit_5", "        GOTO @1"})
      st.ArrayINT[++st.NoINT] = l;
    st.NoInput = 1;
    st.ArrayInput[1] = "A>        SLEEP";
    ScriviASM(st);
    const auto lines = Lines(st.TextASM);
    // RELOAD, W#VLTx and the three context bytes W#1..W#3.
    EXPECT_EQ(lines[7], "W#3     EQU 0x10    ;BYTE(1-Byte)");
    const std::vector<std::string> handler(lines.begin() + 8, lines.begin() + 32);
    const std::vector<std::string> want = {
        "        ORG 0",          "        GOTO @2",       "        NOP",
        "        NOP",            "        NOP",           "        MOVWF W#1",
        "        SWAPF W#1 , F",  "        SWAPF Reg_Status , W", "        MOVWF W#2",
        "        SWAPF W#VLTx , W", "        MOVWF W#3",   "        BTFSS Reg_Intcon , Bit_2",
        "        GOTO $+7",       "        CALL TICK",     r.reload,
        "        MOVWF Reg_Tmr0", "        BCF Reg_Intcon , Bit_2", "        BSF Reg_Intcon , Bit_5",
        "@1:     SWAPF W#3 , W",  "        MOVWF W#VLTx",  "        SWAPF W#2 , W",
        "        MOVWF Reg_Status", "        SWAPF W#1 , W", "        RETFIE"};
    EXPECT_EQ(handler, want) << r.reload;
    EXPECT_EQ(lines[32], "@2:     NOP");
    EXPECT_EQ(lines[44], "        BSF Reg_Intcon , Bit_7");
    EXPECT_EQ(lines[45], "        SLEEP");
    EXPECT_TRUE(text::EndsWith(st.TextASM, "        SLEEP\r\n        END\r\n"));
  }
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
  CompileState st;
  AggiungiVariabile(st, "BIG", "BYTE", "61");
  st.Flag_VLTy = true;
  st.Flag_INT = true;
  st.LabelFineINT = "@1";
  ScriviASM(st);  // 61 + W#VLTx + W#VLTy + three context bytes = 66: fits
  EXPECT_FALSE(st.Flag_Errore);
  CompileState full;
  AggiungiVariabile(full, "BIG", "BYTE", "68");
  ScriviASM(full);
  EXPECT_TRUE(full.Flag_Errore);
  EXPECT_TRUE(text::StartsWith(full.TextASM, "<*> ERRORE : Memoria RAM esaurita"));
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
