// The DATA table and the WRITE statement.
#include "data_eeprom.h"

#include <gtest/gtest.h>

#include "pass_fixture.h"
#include "text.h"

namespace velmora {
namespace {

using namespace passtest;

TEST(Data, CollectsBytesOfEveryStatementAboveTheFirstIf) {
  struct Row { Lines in; std::vector<int> bytes; Lines left; };
  const Row rows[] = {
      {{"DATA \"A,B\", 0, &HFF, \"\xe8\""}, {65, 44, 66, 0, 255, 0xE8}, {""}},
      {{"DATA -1, 1.5, 2.5, X"}, {-1, 2, 2, 0}, {""}},
      {{"DATA 1, 2", "X = 1", "DATA 3", "IF X = 1 THEN", "DATA 4"}, {1, 2, 3}, {"", "X = 1", "", "IF X = 1 THEN", "DATA 4"}},
  };
  for (const auto& r : rows) {
    CompileState st;
    Load(st, r.in);
    TraduciData(st);
    EXPECT_EQ(Pane(st), "");
    EXPECT_EQ(std::vector<int>(st.ArrayDATA.begin() + 1, st.ArrayDATA.begin() + 1 + st.NoDATA), r.bytes) << r.in[0];
    EXPECT_EQ(Program(st), r.left) << r.in[0];
  }
}

TEST(Data, ReportsBadStringsValuesAndTheTableLimit) {
  const std::string noCode = std::string("DATA \"A") + encoding::kNoCode + "\"";
  struct Row { Lines in; std::string error; };
  std::vector<Row> rows = {
      {{"DATA \"AB, 1"}, ErrorBlock("Definizione di stringhe non esatta", "DATA \"AB, 1")},
      {{"DATA 1, \"\", 2"},
       ErrorBlock("Stringa vuota non ammessa: tra le virgolette deve esserci almeno un carattere", "DATA 1, \"\", 2")},
      {{noCode},
       ErrorBlock("La stringa contiene un carattere senza codice a 8 bit (Windows-1252), non trasferibile al micro",
                  noCode)},
      {{"DATA 1, 70000"}, ErrorBlock("Costante numerica non ammessa", "DATA 1, 70000")},
      {{}, ""},  // 250 bytes over five statements pass; 251 is the data_too_large golden
  };
  std::string fifty = "DATA 0";
  for (int b = 1; b < 50; ++b) fifty += "," + text::Dec(b);
  for (size_t k = 4; k < rows.size(); ++k) rows[k].in.insert(rows[k].in.end(), 5, fifty);
  for (const auto& r : rows) {
    CompileState st;
    Load(st, r.in);
    TraduciData(st);
    EXPECT_EQ(Pane(st), r.error) << r.in[0];
  }
}

TEST(Write, LoadsTheAddressThenWritesEachByte) {
  const std::string ins = "A>        ", wrt = ins + "CALL @@WRT", eeadr = ins + "MOVWF Reg_Eeadr";
  struct Row { std::string line; Lines want; };
  const Row rows[] = {
      {"WRITE X, Y", {ins + "MOVF Y , W", eeadr, ins + "MOVF X , W", wrt}},
      {"WRITE \"A,\xe8\" , X, &H10, 2",
       {ins + "MOVLW 0x02", eeadr, ins + "MOVLW 0x41", wrt, ins + "MOVLW 0x2C", wrt, ins + "MOVLW 0xE8", wrt,
        ins + "MOVF X , W", wrt, ins + "MOVLW 0x10", wrt}},
      {"WRITE 7, \"A\", 62", {ins + "MOVLW 0x3E", eeadr, ins + "MOVLW 0x07", wrt, ins + "MOVLW 0x41", wrt}},
  };
  for (const auto& r : rows) {
    CompileState st;
    Load(st, {"A>        NOP", r.line, "END"});
    st.NoFAT = 2;
    st.FAT[1] = {"X", "BYTE", "1"};
    st.FAT[2] = {"Y", "BYTE", "1"};
    TraduciWrite(st, 2);
    EXPECT_EQ(Pane(st), "");
    Lines want{"A>        NOP"};
    want.insert(want.end(), r.want.begin(), r.want.end());
    want.push_back("END");
    EXPECT_EQ(Program(st), want) << r.line;
    EXPECT_TRUE(st.Flag_Routine && st.Flag_WRT) << r.line;
  }
}

TEST(Write, ReportsBadItemsAddressesAndOverlongStatements) {
  std::string bytes49 = "WRITE 1";
  for (int k = 2; k <= 49; ++k) bytes49 += ", " + text::Dec(k);
  const std::string tooLong = "Istruzione WRITE troppo lunga: al massimo 49 byte per istruzione, dividerla in più WRITE";
  struct Row { std::string line, message; };
  const Row rows[] = {
      {"WRITE 5", "Sintassi con riconoscita o non valida"},
      {"WRITE 1, Q", "Sintassi con riconoscita o non valida"},
      {"WRITE Q, 1, 2", "Sintassi o espressione non valida"},
      {"WRITE 1, Q, 2", "Sintassi non corretta o non valida"},
      {"WRITE 1, 64", "Indirizzo EEPROM non valido: la memoria dati ha 64 byte, indirizzi da 0 a 63"},
      {"WRITE 1, -1", "Indirizzo EEPROM non valido: la memoria dati ha 64 byte, indirizzi da 0 a 63"},
      {"WRITE \"\", 0", "Stringa vuota non ammessa: tra le virgolette deve esserci almeno un carattere"},
      {bytes49 + ", 50, 0", tooLong},
      {"WRITE \"" + std::string(49, 'A') + "B\", 0", tooLong},
      {bytes49 + ", 0", ""},  // 49 bytes: the longest WRITE, 100 lines
  };
  for (const auto& r : rows) {
    CompileState st;
    Load(st, {r.line});
    TraduciWrite(st, 1);
    EXPECT_EQ(Pane(st), r.message.empty() ? "" : ErrorBlock(r.message, r.line)) << r.line;
    EXPECT_EQ(st.NoInput, r.message.empty() ? 100 : 1) << r.line;
    EXPECT_EQ(st.Flag_WRT, r.message.empty()) << r.line;
  }
}

}  // namespace
}  // namespace velmora
