// Stimuli files: moments, assignments, order of application and the
// messages for what is refused.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "stimuli.h"

namespace velmora::toolchain {
namespace {

constexpr long k4MHz = 4000000;

// The changes a text makes, as "cycle:PIN=level" words in the order they
// apply, or "ERRORE" and the message.
std::string Changes(const std::string& text, long clock = k4MHz) {
  const Stimuli s = ParseStimuli(text, "prova.stim");
  if (!s.ok()) return "ERRORE " + s.error->Text();
  std::string out;
  for (const StimulusChange& c : StimulusTimeline(s.lines, clock))
    out += (out.empty() ? "" : " ") + std::to_string(c.cycle) + ":" + c.pin.port + std::to_string(c.pin.bit) +
           (c.high ? "=1" : "=0");
  return out;
}

TEST(Stimuli, AcceptedLines) {
  struct Row { const char* text; long clock; const char* changes; };
  const Row rows[] = {
      {"t=10ms A0=1\n", k4MHz, "10000:A0=1"},
      {"t=2,5ms B0=0 B1=1\n", k4MHz, "2500:B0=0 2500:B1=1"},
      {"t=2.5ms b7=1\n", k4MHz, "2500:B7=1"},
      {"ciclo=5000 B0=0\n", k4MHz, "5000:B0=0"},
      {"CICLO=7 a4=1\n", k4MHz, "7:A4=1"},
      {"t=1s A1=1\nt=3us A2=1\nt=3µs A3=1\nt=3μs A4=1\n", k4MHz, "3:A2=1 3:A3=1 3:A4=1 1000000:A1=1"},
      // Times round down to whole cycles; the clock in use decides.
      {"t=1,5us A0=1\n", k4MHz, "1:A0=1"},
      {"t=10ms A0=1\n", 32768, "81:A0=1"},
      {"t=0,1s A0=1\n", 20000000, "500000:A0=1"},
      {"t=0,000000001s A0=1\n", k4MHz, "0:A0=1"},
      {"t=0010,500ms A0=1\n", k4MHz, "10500:A0=1"},
      // Any order in the file, time order in the run; same moment: file order.
      {"ciclo=300 A0=0\nciclo=100 A0=1\nt=75us B0=1\nciclo=300 A1=1\n", k4MHz,
       "75:B0=1 100:A0=1 300:A0=0 300:A1=1"},
      // Comments, blank lines, CR LF, a byte-order mark, tabs.
      {"\xEF\xBB\xBF# intestazione\r\n\r\n  ; altro commento\r\nciclo=1\tA0=1 ; premuto\r\nciclo=2 A0=0# rilasciato\r\n",
       k4MHz, "1:A0=1 2:A0=0"},
      {"", k4MHz, ""},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.text);
    EXPECT_EQ(Changes(row.text, row.clock), row.changes);
  }
}

TEST(Stimuli, RefusedLinesNameFileAndLine) {
  struct Row { const char* text; const char* error; };
  const Row rows[] = {
      {"A0=1\n", "prova.stim:1: la riga deve cominciare con il momento"},
      {"\n\nx=3 A0=1\n", "prova.stim:3: la riga deve cominciare"},
      {"t=10 A0=1\n", "prova.stim:1: manca l'unità di misura in t=10"},
      {"t=10min A0=1\n", "prova.stim:1: unità di misura sconosciuta in t=10min"},
      {"t=,5ms A0=1\n", "prova.stim:1: tempo non valido"},
      {"t=5.ms A0=1\n", "prova.stim:1: tempo non valido"},
      {"t=-5ms A0=1\n", "prova.stim:1: tempo non valido"},
      {"t=1,2,3ms A0=1\n", "prova.stim:1: unità di misura sconosciuta"},
      {"ciclo=1,5 A0=1\n", "prova.stim:1: numero di ciclo non valido"},
      {"ciclo= A0=1\n", "prova.stim:1: numero di ciclo non valido"},
      {"ciclo=99999999999999999999 A0=1\n", "prova.stim:1: numero di ciclo non valido"},
      {"t=999999999999s A0=1\n", "prova.stim:1: tempo troppo grande"},
      {"ciclo=5\n", "prova.stim:1: nessuna linea assegnata"},
      {"ciclo=5 A5=1\n", "prova.stim:1: assegnazione non valida: A5=1"},
      {"ciclo=5 B8=1\n", "prova.stim:1: assegnazione non valida"},
      {"ciclo=5 RA0=1\n", "prova.stim:1: assegnazione non valida"},
      {"ciclo=5 A0 = 1\n", "prova.stim:1: assegnazione non valida: A0"},
      {"ciclo=5 A0=2\n", "prova.stim:1: livello non valido in A0=2"},
      {"ciclo=5 A0=\n", "prova.stim:1: livello non valido"},
      {"ciclo=5 A0=1 a0=0\n", "prova.stim:1: la linea a0 è assegnata due volte"},
      {"ciclo=5 verifica 2 VALORE = 3\n", "prova.stim:1: verifica non è ammessa"},
      {"ciclo=1 A0=1\r\nciclo=2 A0=0 B0\r\n", "prova.stim:2: assegnazione non valida: B0"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.text);
    const Stimuli s = ParseStimuli(row.text, "prova.stim");
    ASSERT_FALSE(s.ok());
    EXPECT_TRUE(s.lines.empty());
    EXPECT_EQ(s.error->Text().rfind(row.error, 0), 0u) << s.error->Text();
  }
}

TEST(Stimuli, ChecksOnTimelineLines) {
  const Stimuli s = ParseStimuli(
      "ciclo=1000 A0=1 verifica 2 VALORE = 3 ; commento\nciclo=2000 VERIFICA 1 PORTB=0x1B\nciclo=5 A1=1\n", "es.txt",
      true);
  ASSERT_TRUE(s.ok()) << s.error->Text();
  ASSERT_EQ(s.lines.size(), 3u);
  EXPECT_EQ(s.lines[0].levels.size(), 1u);
  EXPECT_EQ(s.lines[0].check, std::optional<std::string>("2 VALORE = 3"));
  EXPECT_TRUE(s.lines[1].levels.empty());
  EXPECT_EQ(s.lines[1].check, std::optional<std::string>("1 PORTB=0x1B"));
  EXPECT_EQ(s.lines[1].moment.Cycle(k4MHz), 2000u);
  EXPECT_FALSE(s.lines[2].check);
  // A check needs its moment.
  const Stimuli bad = ParseStimuli("verifica 1 W = 0\n", "es.txt", true);
  ASSERT_FALSE(bad.ok());
  EXPECT_EQ(bad.error->line, 1);
}

TEST(Stimuli, FilesAndRecordedLines) {
  // What the board records reads back as the same changes.
  const std::string recorded = FormatStimulusLine(1234, {{Pin{'B', 0}, true}, {Pin{'A', 4}, false}}) + "\n";
  EXPECT_EQ(recorded, "ciclo=1234 B0=1 A4=0\n");
  EXPECT_EQ(Changes(recorded), "1234:B0=1 1234:A4=0");

  const std::filesystem::path dir = std::filesystem::path(VELMORA_TEST_TMP) / "stimuli";
  std::filesystem::create_directories(dir);
  const std::string path = (dir / "bottone.stim").string();
  std::ofstream(path) << "t=1ms B0=1\nciclo=x B0=0\n";
  const Stimuli s = ReadStimuliFile(path);
  ASSERT_FALSE(s.ok());
  EXPECT_EQ(s.error->Text().rfind(path + ":2: numero di ciclo non valido", 0), 0u) << s.error->Text();

  const Stimuli missing = ReadStimuliFile((dir / "manca.stim").string());
  ASSERT_FALSE(missing.ok());
  EXPECT_EQ(missing.error->line, 0);
  EXPECT_EQ(missing.error->Text(), (dir / "manca.stim").string() + ": impossibile leggere il file");
}

}  // namespace
}  // namespace velmora::toolchain
