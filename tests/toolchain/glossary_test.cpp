// The help pages, the man pages and the examples keep to the house glossary
// (help/GLOSSARIO.md): the variants it rejects must not come back. Each
// finding is listed as FILE:LINE: rule: text.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <regex>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

struct Rule {
  const char* name;
  std::regex pattern;
};

const std::vector<Rule>& Rules() {
  static const std::vector<Rule> rules = {
      {"piedino per una linea A0-B7 (linea)", std::regex(R"(piedin[oi]\s+(dell[ae]\s+)?(R?[AB][0-7])(?!/T0CKI))", std::regex::icase)},
      {"parole nell'intestazione del CSV (word)", std::regex(R"(messaggio\W+parole)")},
      {"punto decimale (virgola)", std::regex(R"(\d\.\d)")},
      {"Shift+ (Maiusc+)", std::regex(R"(Shift\+)")},
      {"micro-secondi / micro-sec (µs)", std::regex(R"(micro-?sec)", std::regex::icase)},
      {"KOhm (kΩ)", std::regex(R"(\d\s*[Kk][Oo]hm)")},
      {"spazio prima di ?", std::regex(R"(\S \?)")},
      {"EEPROM-DATI (EEPROM dati)", std::regex(R"(EEPROM-DATI)")},
      {"cicli istruzione (cicli di istruzione)", std::regex(R"(cicli istruzione)", std::regex::icase)},
      {"interrupt al femminile (l'interrupt, gli interrupt)",
       std::regex(R"((un'interrupt|\bla interrupt|\ble interrupt|interrupt\s+((viene|è|resta)\s+)?(abilitata|disabilitata|sospesa|attiva|esterna)\b))",
                  std::regex::icase)},
      {"stato di uscita (codice di uscita)", std::regex(R"(stato di uscita)", std::regex::icase)},
      {"collettore aperto (open drain)", std::regex(R"(collettore aperto)")},
      {"a ogni profondità (in tutte le sottocartelle)", std::regex(R"(a ogni profondit)")},
  };
  return rules;
}

// A Basic assignment of a number with a point (MISURA = 1.5) is program
// text, not prose.
const std::regex kBasicNumber(R"([A-Z][A-Z0-9_]*\s*=\s*\d+\.\d+)");
// A troff request's numeric arguments (.sp 0.5, .TP 1.2i) are not prose.
const std::regex kTroffNumber(R"(\s\d+\.\d+[a-z]?\b)");

std::vector<std::string> Lines(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  std::vector<std::string> lines;
  std::string line;
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(line);
  }
  return lines;
}

enum class Kind { HelpPage, ManPage, Example };

// FILE:LINE: rule: text for every rejected variant in the file's prose.
void Scan(const fs::path& file, Kind kind, std::vector<std::string>& findings) {
  const std::vector<std::string> lines = Lines(file);
  for (size_t i = 0; i < lines.size(); ++i) {
    std::string text = lines[i];
    // A help page's examples are Basic programs, not prose.
    if (kind == Kind::HelpPage && text.rfind("---Esemp", 0) == 0) break;
    if (kind == Kind::ManPage && text.rfind(".\\\"", 0) == 0) continue;  // troff comment
    if (kind == Kind::ManPage && text.rfind('.', 0) == 0) text = std::regex_replace(text, kTroffNumber, " ");
    text = std::regex_replace(text, kBasicNumber, "");
    for (const Rule& rule : Rules())
      if (std::regex_search(text, rule.pattern))
        findings.push_back(file.string() + ":" + std::to_string(i + 1) + ": " + rule.name + ": " + lines[i]);
  }
}

std::vector<fs::path> Files(const fs::path& folder, bool recursive, bool (*wanted)(const fs::path&)) {
  std::vector<fs::path> files;
  if (!fs::is_directory(folder)) return files;
  const auto add = [&](const fs::directory_entry& e) {
    if (e.is_regular_file() && wanted(e.path())) files.push_back(e.path());
  };
  if (recursive)
    for (const auto& e : fs::recursive_directory_iterator(folder)) add(e);
  else
    for (const auto& e : fs::directory_iterator(folder)) add(e);
  std::sort(files.begin(), files.end());
  return files;
}

std::string Report(const std::vector<std::string>& findings) {
  std::string out;
  for (const std::string& f : findings) out += "  " + f + "\n";
  return out;
}

const fs::path kSource = VELMORA_SOURCE_DIR;

}  // namespace

TEST(Glossary, TheRulesCatchWhatTheyReject) {
  // Each rule on a line it must reject, and the lines it must let through.
  const std::pair<const char*, bool> cases[] = {
      {"sul piedino B0/INT arriva un fronte", true},
      {"il Timer conta gli impulsi del piedino A4 e", true},
      {"sul piedino A4/T0CKI", false},
      {"sul piedino OSC2/CLKOUT", false},
      {"file, esito, riga, messaggio, parole, ram,", true},
      {"le parole PORT e LINE sono facoltative", false},
      {"arriva ogni 65.536 ms", true},
      {"arriva ogni 65,536 ms", false},
      {"MISURA = 1.5", false},
      {"Reset (Shift+F5)", true},
      {"(1 micro-sec a 4 MHz)", true},
      {"tra 3 e 100 KOhm", true},
      {"Ripristinarlo ?", true},
      {"Ripristinarlo?", false},
      {"servire un'interrupt", true},
      {"l'interrupt viene abilitata all'avvio", true},
      {"l'interrupt viene abilitato all'avvio", false},
      {"(interrupt esterna)", true},
      {"gli interrupt sono sospesi", false},
      {"i cicli istruzione", true},
      {"i cicli di istruzione", false},
  };
  const fs::path sample = fs::temp_directory_path() / "velmora_glossary_sample.txt";
  for (const auto& [line, rejected] : cases) {
    std::ofstream(sample, std::ios::binary) << line << "\n";
    std::vector<std::string> findings;
    Scan(sample, Kind::HelpPage, findings);
    EXPECT_EQ(!findings.empty(), rejected) << line << "\n" << Report(findings);
  }
  fs::remove(sample);
}

TEST(Glossary, HelpPagesAndExamplesKeepToIt) {
  const auto helpPage = [](const fs::path& p) { return p.extension() == ".txt"; };
  const auto example = [](const fs::path& p) { return p.extension() == ".txt" || p.extension() == ".bas"; };
  std::vector<std::string> findings;
  const std::vector<fs::path> pages = Files(kSource / "help", false, helpPage);
  ASSERT_GT(pages.size(), 40u) << "help pages not found in " << kSource;
  for (const fs::path& f : pages) Scan(f, Kind::HelpPage, findings);
  for (const fs::path& f : Files(kSource / "examples", false, example)) Scan(f, Kind::Example, findings);
  EXPECT_TRUE(findings.empty()) << "Varianti respinte dal glossario (help/GLOSSARIO.md):\n" << Report(findings);
}

TEST(Glossary, ManPagesKeepToIt) {
  const auto manPage = [](const fs::path& p) {
    const std::string name = p.filename().string();
    return name.find(".1") != std::string::npos && p.extension() != ".gz";
  };
  std::vector<std::string> findings;
  const std::vector<fs::path> pages = Files(kSource / "data", true, manPage);
  ASSERT_FALSE(pages.empty()) << "no man page found in " << kSource / "data";
  for (const fs::path& f : pages) Scan(f, Kind::ManPage, findings);
  EXPECT_TRUE(findings.empty()) << "Varianti respinte dal glossario (help/GLOSSARIO.md):\n" << Report(findings);
}
