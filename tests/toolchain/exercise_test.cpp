// SPDX-License-Identifier: GPL-3.0-or-later
// Exercise files of the class grading: what they set, every bad line refused
// with its line, and how a value read from the chip meets a check.
#include <gtest/gtest.h>

#include "exercise.h"

namespace velmora {
namespace {

TEST(Exercise, ReadsSettingsWithByteOrderMarkCrLfAndComments) {
  std::string error;
  const auto e = ParseExercise("\xEF\xBB\xBF# titolo\r\n\r\nCICLI 5000 ; mezzo secondo\r\npin a0=1\r\nPin B7=0\r\npin A1=sì\r\npin B1=no\r\n"
                               "watchdog\r\ntempo 3\r\nverifica 2 VALORE = 27\r\nverifica 1 SLEEP=sì\r\n"
                               "verifica 1 PORTB >= &HC8 # oltre 127\r\nciclo=200 verifica 1 passi <> B'00000001'\r\n"
                               "verifica 1 TABELLA = 1 0x2 &H3\r\nt=1ms A1=1 B0=1\r\nciclo=100 A1=0\r\n",
                               error);
  ASSERT_TRUE(e) << error;
  EXPECT_EQ(e->options.cycles, 5000u);
  EXPECT_EQ(e->options.pins, (std::vector<std::pair<toolchain::Pin, bool>>{{{'A', 0}, true}, {{'B', 7}, false}, {{'A', 1}, true}, {{'B', 1}, false}}));
  EXPECT_TRUE(e->options.watchdog);
  EXPECT_EQ(e->options.timeLimit, std::chrono::seconds(3));
  ASSERT_EQ(e->checks.size(), 5u);
  EXPECT_EQ(e->checks[1].Title(), "SLEEP = sì (1)");
  EXPECT_EQ(e->checks[2].values, std::vector<std::uint64_t>{200});
  EXPECT_EQ(e->checks[2].line, 12);
  EXPECT_EQ(e->checks[3].Title(), "ciclo 200: PASSI <> B'00000001' (1)");
  EXPECT_EQ(e->checks[4].values, (std::vector<std::uint64_t>{1, 2, 3}));
  EXPECT_EQ(e->CheckCycles(), std::vector<std::uint64_t>{200});
  // 1 ms of a 4 MHz crystal is 1000 instruction cycles.
  EXPECT_EQ(e->changes, (std::vector<toolchain::StimulusChange>{{100, {'A', 1}, false, 16},
                                                                 {1000, {'A', 1}, true, 15},
                                                                 {1000, {'B', 0}, true, 15}}));
  EXPECT_EQ(e->TotalPoints(), 6);
}

TEST(Exercise, RefusesEveryBadLineWithItsLineAndWhy) {
  struct Row { const char* text; const char* error; };
  const Row rows[] = {
      {"verifica 1 X = 1\n", "manca la riga cicli"},
      {"cicli 10\n", "nessuna verifica"},
      {"cicli 10\ncicli 20\n", "2: cicli ripetuto"},
      {"cicli 0\n", "1: numero di cicli non valido: 0 (da 1 a 100000000)"},
      {"cicli 1000000000000\n", "1: numero di cicli non valido: 1000000000000"},
      {"cicli &H10\n", "1: numero di cicli non valido: &H10"},
      {"cicli 10\npin A5=1\n", "2: linea non valida: A5=1"},
      {"cicli 10\npin A0=2\n", "2: linea non valida: A0=2"},
      {"cicli 10\ntempo 0\n", "2: tempo non valido: 0"},
      {"cicli 10\nwatchdog si\n", "2: watchdog va da solo"},
      {"cicli 10\nverifica X = 1\n", "2: punti non validi: X"},
      {"cicli 10\nverifica 1 X 1\n", "2: verifica non valida: X 1"},
      {"cicli 10\nverifica 1 = 1\n", "2: verifica non valida"},
      {"cicli 10\nverifica 1 PASSI == 8\n", "2: operatore non valido: == (=, <>, <, <=, >, >=)"},
      {"cicli 10\nverifica 1 PASSI => 8\n", "2: operatore non valido: =>"},
      {"cicli 10\nverifica 1 X = 0b01010101\n", "2: valore non valido: 0b01010101 (un numero decimale, &H1B"},
      {"cicli 10\nverifica 1 X = -1\n", "2: valore non valido: -1"},
      {"cicli 10\nverifica 1 X = &H5G\n", "2: valore non valido: &H5G"},
      {"cicli 10\nverifica 1 X = B'0102'\n", "2: valore non valido: B'0102'"},
      {"cicli 10\nverifica 1 X = 99999999999999999999\n", "2: valore non valido: 99999999999999999999"},
      {"cicli 10\nverifica 1 PORTB = 300\n", "2: valore fuori intervallo per PORTB: 300 (da 0 a 255)"},
      {"cicli 10\nverifica 1 SLEEP = forse\n", "2: valore non valido per SLEEP: forse (sì, si o no)"},
      {"cicli 10\nverifica 1 SLEEP > no\n", "2: SLEEP si confronta solo con = o <>"},
      {"cicli 10\nverifica 1 T < 1 2\n", "2: più valori si confrontano solo con = o <>"},
      {"cicli 10\nverifica 1 X-1 = 2\n", "2: nome non valido nella verifica: X-1 = 2"},
      {"cicli 10\nciclo=0 verifica 1 X = 1\n", "2: una verifica al ciclo 0"},
      {"cicli 10\nciclo=5 verifica 1 X == 1\n", "2: operatore non valido: =="},
      {"cicli 10\nt=5 A0=1\n", "2: "},
      {"cicli 10\nciclo=5 A9=1\n", "2: "},
      {"cicli 10\nverifica 1 X = 1\nciclo=11 verifica 1 X = 1\n", "3: il ciclo 11 è oltre la fine della prova (cicli 10)"},
      {"cicli 10\nesegui 5\n", "2: parola chiave sconosciuta: ESEGUI"},
  };
  for (const Row& row : rows) {
    std::string error;
    EXPECT_FALSE(ParseExercise(row.text, error)) << row.text;
    EXPECT_EQ(error.rfind(row.error, 0), 0u) << row.text << " gave " << error;
  }
}

TEST(Exercise, ComparesValuesWithEachOperator) {
  const auto check = [](const char* text) {
    std::string error;
    const auto e = ParseExercise(std::string("cicli 10\nverifica 1 ") + text + "\n", error);
    EXPECT_TRUE(e) << text << ": " << error;
    return e ? e->checks.at(0) : ExerciseCheck{};
  };
  struct Row { const char* check; std::optional<std::string> printed; bool passes; };
  const Row rows[] = {
      {"N = 27", "27", true},          {"N = 0x1B", "27", true},       {"N = &H1B", "0x1B", true},
      {"N = B'00011011'", "27", true}, {"N = 27", "26", false},        {"N = 200", "200", true},
      {"N = 200", "72", false},        {"PORTB = &HC8", "0xC8", true}, {"PORTB = &HC8", "0x48", false},
      {"N <> 200", "72", true},        {"N < 200", "199", true},       {"N < 200", "200", false},
      {"N <= 200", "200", true},       {"N > 127", "128", true},       {"N > 127", "127", false},
      {"N >= 128", "128", true},       {"N = 70000", "70000", true},   {"SLEEP = si", "si", true},
      {"SLEEP = sì", "si", true},      {"SLEEP = si", "sì", true},     {"SLEEP = no", "sì", false},    {"SLEEP <> no", "si", true},
      {"T = 1 2 3", "1 2 3", true},    {"T = 1 2 3", "1 2 4", false},  {"T <> 1 2 3", "1 2 4", true},
      {"N = 1", "1 2", false},         {"N = 0", std::nullopt, false}, {"N = 0", "?", false},
  };
  for (const Row& row : rows)
    EXPECT_EQ(CheckPasses(check(row.check), row.printed), row.passes) << row.check << " vs " << row.printed.value_or("(none)");
}

TEST(Exercise, NamesNoProgramDeclaresAreFound) {
  std::string error;
  const auto e = ParseExercise("cicli 10\nverifica 1 PASSO = 3\nverifica 1 passi = 3\nverifica 1 PORTB = 1\n"
                               "verifica 1 CICLI > 3\nverifica 1 SLEEP = si\nverifica 1 W = 0\n",
                               error);
  ASSERT_TRUE(e) << error;
  const auto unknown = ChecksOnUnknownNames(*e, {"PASSI", "CONTA"});
  ASSERT_EQ(unknown.size(), 1u);
  EXPECT_EQ(unknown[0].name, "PASSO");
  EXPECT_EQ(unknown[0].line, 2);
}

}  // namespace
}  // namespace velmora
