// SPDX-License-Identifier: GPL-3.0-or-later
// Exercise files of velmorac --batch --check: what they set, the line of
// each mistake, and how a printed value meets an expected one.
#include <gtest/gtest.h>

#include "exercise.h"

namespace velmora {
namespace {

TEST(Exercise, ReadsSettingsAndNamesTheLineOfAMistake) {
  std::string goodError;
  const auto good = ParseExercise("# titolo\n\nCICLI 5000\npin a0=1\nPin B7=0\npin A1=sì\npin A2=si\npin B1=no\nwatchdog\ntempo 3\n"
                                  "verifica 2 VALORE = 27\r\nverifica 1 SLEEP=si\n",
                                  goodError);
  ASSERT_TRUE(good) << goodError;
  EXPECT_EQ(good->options.cycles, 5000u);
  EXPECT_EQ(good->options.pins, (std::vector<std::pair<toolchain::Pin, bool>>{{{'A', 0}, true}, {{'B', 7}, false}, {{'A', 1}, true}, {{'A', 2}, true}, {{'B', 1}, false}}));
  EXPECT_TRUE(good->options.watchdog);
  EXPECT_EQ(good->options.timeLimit, std::chrono::seconds(3));
  ASSERT_EQ(good->checks.size(), 2u);
  EXPECT_EQ(good->checks[1].Title(), "SLEEP = si (1)");
  EXPECT_EQ(good->TotalPoints(), 3);

  struct Row { const char* text; const char* error; };
  const Row rows[] = {
      {"verifica 1 X = 1\n", "manca la riga cicli"},
      {"cicli 10\n", "nessuna verifica"},
      {"cicli 10\ncicli 20\n", "2: cicli ripetuto"},
      {"cicli 0\n", "1: numero di cicli non valido: 0"},
      {"cicli 10\npin A5=1\n", "2: linea non valida: A5=1"},
      {"cicli 10\npin A0=2\n", "2: linea non valida: A0=2"},
      {"cicli 10\ntempo 0\n", "2: tempo non valido: 0"},
      {"cicli 10\nwatchdog si\n", "2: watchdog va da solo"},
      {"cicli 10\nverifica X = 1\n", "2: punti non validi: X"},
      {"cicli 10\nverifica 1 X 1\n", "2: manca '='"},
      {"cicli 10\nverifica 1 = 1\n", "2: verifica non valida"},
      {"cicli 10\nesegui 5\n", "2: parola chiave sconosciuta: ESEGUI"},
  };
  for (const Row& row : rows) {
    std::string error;
    EXPECT_FALSE(ParseExercise(row.text, error)) << row.text;
    EXPECT_EQ(error.rfind(row.error, 0), 0u) << row.text << " gave " << error;
  }
}

TEST(Exercise, ComparesNumbersByValueAndTextsWithoutCase) {
  struct Row { const char* expected; std::optional<std::string> printed; bool passes; };
  const Row rows[] = {{"27", "27", true},      {"0x1B", "27", true},   {"27", "0x1B", true},
                      {"27", "26", false},     {"si", "SI", true},     {"si", "no", false},
                      {"sì", "si", true},      {"si", "sì", true},     {"SÌ", "si", true},
                      {"sì", "no", false},     {"no", "sì", false},
                      {"1 2 3", "1 2 3", true}, {"0", std::nullopt, false}};
  for (const Row& row : rows)
    EXPECT_EQ(CheckPasses({"N", row.expected, 1}, row.printed), row.passes)
        << row.expected << " vs " << row.printed.value_or("(none)");
}

}  // namespace
}  // namespace velmora
