// SPDX-License-Identifier: GPL-3.0-or-later
// Reading exercise files and judging their checks.
#include "exercise.h"

#include <cctype>
#include <cerrno>
#include <cstdlib>
#include <sstream>

#include "italian_text.h"

namespace velmora {
namespace {

std::string Trim(const std::string& s) {
  const auto first = s.find_first_not_of(" \t\r");
  if (first == std::string::npos) return {};
  return s.substr(first, s.find_last_not_of(" \t\r") - first + 1);
}

std::string Upper(std::string s) {
  for (char& c : s) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return s;
}

// A whole decimal or 0x-hex number; nothing otherwise.
std::optional<unsigned long long> Number(const std::string& text) {
  if (text.empty() || text[0] == '-' || text[0] == '+') return std::nullopt;
  const bool hex = text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X');
  char* end = nullptr;
  errno = 0;
  const unsigned long long value = std::strtoull(text.c_str() + (hex ? 2 : 0), &end, hex ? 16 : 10);
  if (errno != 0 || *end != '\0' || end == text.c_str() + (hex ? 2 : 0)) return std::nullopt;
  return value;
}

}  // namespace

int Exercise::TotalPoints() const {
  int total = 0;
  for (const ExerciseCheck& c : checks) total += c.points;
  return total;
}

std::optional<Exercise> ParseExercise(const std::string& text, std::string& error) {
  Exercise e;
  bool haveCycles = false, haveLimit = false;
  std::istringstream in(text);
  std::string raw;
  int number = 0;
  const auto fail = [&](const std::string& message) {
    error = (number > 0 ? std::to_string(number) + ": " : std::string()) + message;
    return std::nullopt;
  };
  while (std::getline(in, raw)) {
    ++number;
    const std::string line = Trim(raw);
    if (line.empty() || line[0] == '#') continue;
    std::istringstream words(line);
    std::string keyword, rest;
    words >> keyword;
    std::getline(words, rest);
    rest = Trim(rest);
    keyword = Upper(keyword);
    if (keyword == "CICLI") {
      const auto cycles = Number(rest);
      if (haveCycles) return fail("cicli ripetuto");
      if (!cycles || *cycles == 0 || *cycles > 1000000000000ULL) return fail("numero di cicli non valido: " + rest);
      e.options.cycles = *cycles;
      haveCycles = true;
    } else if (keyword == "PIN") {
      const auto eq = rest.find('=');
      const auto pin = eq == std::string::npos ? std::nullopt : toolchain::ParsePin(Trim(rest.substr(0, eq)));
      const std::string level = eq == std::string::npos ? "" : Trim(rest.substr(eq + 1));
      const auto high = italian::ParseLevel(level);
      if (!pin || !high) return fail("linea non valida: " + rest + " (per esempio A0=1)");
      e.options.pins.emplace_back(*pin, *high);
    } else if (keyword == "TEMPO") {
      const auto seconds = Number(rest);
      if (haveLimit) return fail("tempo ripetuto");
      if (!seconds || *seconds == 0 || *seconds > 3600) return fail("tempo non valido: " + rest + " (da 1 a 3600 secondi)");
      e.options.timeLimit = std::chrono::seconds(*seconds);
      haveLimit = true;
    } else if (keyword == "WATCHDOG") {
      if (!rest.empty()) return fail("watchdog va da solo sulla riga");
      e.options.watchdog = true;
    } else if (keyword == "VERIFICA") {
      std::istringstream parts(rest);
      std::string points;
      parts >> points;
      std::string check;
      std::getline(parts, check);
      const auto eq = check.find('=');
      const auto p = Number(points);
      if (!p || *p == 0 || *p > 1000) return fail("punti non validi: " + points + " (da 1 a 1000)");
      if (eq == std::string::npos) return fail("manca '=' nella verifica: " + Trim(check));
      ExerciseCheck c;
      c.points = static_cast<int>(*p);
      c.name = Trim(check.substr(0, eq));
      c.expected = Trim(check.substr(eq + 1));
      if (c.name.empty() || c.expected.empty() || c.name.find(' ') != std::string::npos)
        return fail("verifica non valida: " + Trim(check) + " (per esempio VALORE = 27)");
      e.checks.push_back(c);
    } else {
      return fail("parola chiave sconosciuta: " + keyword + " (cicli, pin, watchdog, tempo, verifica)");
    }
  }
  number = 0;
  if (!haveCycles) return fail("manca la riga cicli");
  if (e.checks.empty()) return fail("nessuna verifica");
  if (!haveLimit) e.options.timeLimit = SimulationTimeLimit(e.options.cycles);
  return e;
}

bool CheckPasses(const ExerciseCheck& check, const std::optional<std::string>& printed) {
  if (!printed) return false;
  const auto want = Number(check.expected), got = Number(*printed);
  if (want && got) return *want == *got;
  const auto wantYes = italian::ParseYesNo(check.expected), gotYes = italian::ParseYesNo(*printed);
  if (wantYes && gotYes) return *wantYes == *gotYes;
  return Upper(check.expected) == Upper(*printed);
}

}  // namespace velmora
