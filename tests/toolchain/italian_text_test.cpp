// The Italian counts, decimal commas, yes/no and system error texts.
#include "italian_text.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>

namespace it = velmora::italian;

TEST(ItalianText, CountTakesTheSingularOnlyForOne) {
  struct Case {
    long long n;
    const char* singular;
    const char* plural;
    const char* want;
  };
  const Case cases[] = {
      {0, "sostituzione", "sostituzioni", "0 sostituzioni"},
      {1, "variabile", "variabili", "1 variabile"},
      {2, "variabile", "variabili", "2 variabili"},
      {1, "errore", "errori", "1 errore"},
      {11, "errore", "errori", "11 errori"},
      {21, "avviso", "avvisi", "21 avvisi"},
      {-1, "grado", "gradi", "-1 gradi"},
      {1, "word", "word", "1 word"},
  };
  for (const Case& c : cases) EXPECT_EQ(it::Count(c.n, c.singular, c.plural), c.want) << c.n;
}

TEST(ItalianText, DecimalCommaOnlyBetweenDigits) {
  const std::pair<const char*, const char*> cases[] = {
      {"40.5412", "40,5412"}, {"0.4", "0,4"},       {"65536", "65536"},   {"1e-05", "1e-05"},
      {".5", ".5"},           {"5.", "5."},         {"1.5 s", "1,5 s"},   {"v1.2.3", "v1,2,3"},
      {"a.b", "a.b"},         {"", ""},
  };
  for (const auto& [in, want] : cases) EXPECT_EQ(it::DecimalComma(in), want) << in;
}

TEST(ItalianText, YesAndLevelsReadWithAndWithoutTheAccent) {
  const std::pair<const char*, std::optional<bool>> yesNo[] = {
      {"sì", true}, {"si", true},  {"SI", true},  {"SÌ", true},        {"Sì", true},
      {"no", false}, {"NO", false}, {"1", std::nullopt}, {"s", std::nullopt}, {"", std::nullopt},
      {"sìsì", std::nullopt},
  };
  for (const auto& [in, want] : yesNo) EXPECT_EQ(it::ParseYesNo(in), want) << in;
  const std::pair<const char*, std::optional<bool>> levels[] = {
      {"1", true}, {"0", false}, {"sì", true}, {"si", true}, {"no", false}, {"2", std::nullopt}, {"01", std::nullopt},
  };
  for (const auto& [in, want] : levels) EXPECT_EQ(it::ParseLevel(in), want) << in;
  EXPECT_EQ(it::YesNo(true), "sì");
  EXPECT_EQ(it::ParseYesNo(it::YesNo(true)), true);
  EXPECT_EQ(it::ParseYesNo(it::YesNo(false)), false);
}

TEST(ItalianText, CommonSystemErrorsInItalianOthersAsTheSystemSaysThem) {
  const std::pair<int, const char*> cases[] = {
      {ENOENT, "file o cartella inesistente"}, {EACCES, "permesso negato"},
      {ENOSPC, "spazio esaurito sul disco"},   {EISDIR, "è una cartella"},
      {ENOTDIR, "non è una cartella"},         {EROFS, "disco in sola lettura"},
      {ENAMETOOLONG, "nome del file troppo lungo"},
  };
  for (const auto& [code, want] : cases) {
    EXPECT_EQ(it::SystemError(code), want) << code;
    // The same text when a library already turned the code into the system's words.
    EXPECT_EQ(it::SystemErrorText(std::strerror(code)), want) << code;
  }
  EXPECT_EQ(it::SystemErrorText(std::string("execve: ") + std::strerror(ENOENT)), "execve: file o cartella inesistente");
  EXPECT_EQ(it::SystemError(EDOM), std::strerror(EDOM));
  EXPECT_EQ(it::SystemErrorText("Unknown error 9999"), "Unknown error 9999");
}
