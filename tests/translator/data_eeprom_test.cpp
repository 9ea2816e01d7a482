// The DATA table and the WRITE statement: where DATA is collected and the
// messages (the emitted lines are in data_forms, data_table, write_eeprom;
// the limits in the limits test).
#include "data_eeprom.h"

#include <gtest/gtest.h>

#include "pass_fixture.h"

namespace velmora {
namespace {

using namespace passtest;

TEST(Data, CollectsBytesOfEveryStatementAboveTheFirstIf) {
  CompileState st;
  Load(st, {"DATA 1, 2", "X = 1", "DATA 3", "IF X = 1 THEN", "DATA 4"});
  TraduciData(st);
  EXPECT_EQ(Pane(st), "");
  EXPECT_EQ(std::vector<int>(st.ArrayDATA.begin() + 1, st.ArrayDATA.begin() + 1 + st.NoDATA), (std::vector<int>{1, 2, 3}));
  EXPECT_EQ(Program(st), (Lines{"", "X = 1", "", "IF X = 1 THEN", "DATA 4"}));
}

TEST(Data, ReportsBadStringsAndValues) {
  const std::string noCode = std::string("DATA \"A") + encoding::kNoCode + "\"";
  struct Row { Lines in; std::string error; };
  const Row rows[] = {
      {{"DATA \"AB, 1"}, ErrorBlock("Definizione di stringhe non esatta", "DATA \"AB, 1")},
      {{"DATA 1, \"\", 2"},
       ErrorBlock("Stringa vuota non ammessa: tra le virgolette deve esserci almeno un carattere", "DATA 1, \"\", 2")},
      {{noCode},
       ErrorBlock("La stringa contiene un carattere senza codice a 8 bit (Windows-1252), non trasferibile al micro",
                  noCode)},
      {{"DATA 1, 70000"}, ErrorBlock("Costante numerica non ammessa", "DATA 1, 70000")},
  };
  for (const auto& r : rows) {
    CompileState st;
    Load(st, r.in);
    TraduciData(st);
    EXPECT_EQ(Pane(st), r.error) << r.in[0];
  }
}

TEST(Write, ReportsBadItemsAddressesAndOverlongStatements) {
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
      {"WRITE \"" + std::string(49, 'A') + "B\", 0", tooLong},
  };
  for (const auto& r : rows) {
    CompileState st;
    Load(st, {r.line});
    TraduciWrite(st, 1);
    EXPECT_EQ(Pane(st), ErrorBlock(r.message, r.line)) << r.line;
    EXPECT_EQ(st.NoInput, 1) << r.line;
    EXPECT_FALSE(st.Flag_WRT) << r.line;
  }
}

}  // namespace
}  // namespace velmora
