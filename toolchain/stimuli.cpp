#include "stimuli.h"

#include <algorithm>
#include <cctype>
#include <fstream>
#include <limits>
#include <sstream>

namespace velmora::toolchain {

namespace {

std::string Lower(std::string s) {
  for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return s;
}

bool AllDigits(const std::string& s) {
  return !s.empty() && std::all_of(s.begin(), s.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// The line without its comment: content ends at the first ';' or '#'.
std::string WithoutComment(const std::string& line) {
  const auto cut = line.find_first_of(";#");
  return cut == std::string::npos ? line : line.substr(0, cut);
}

std::vector<std::string> Words(const std::string& text) {
  std::vector<std::string> words;
  std::string word;
  for (char c : text) {
    if (c == ' ' || c == '\t' || c == '\v' || c == '\f') {
      if (!word.empty()) words.push_back(word);
      word.clear();
    } else {
      word += c;
    }
  }
  if (!word.empty()) words.push_back(word);
  return words;
}

std::string Trim(const std::string& s) {
  const auto first = s.find_first_not_of(" \t\v\f");
  if (first == std::string::npos) return "";
  return s.substr(first, s.find_last_not_of(" \t\v\f") - first + 1);
}

// More cycles than any run asks for, and few enough that a time in any unit
// converts without overflow.
constexpr std::uint64_t kMaxCycle = 1000000000000000ULL;  // 10^15
constexpr int kMaxDigits = 18;

// "ciclo=N" or "t=NUMBERunit" -> the moment; an Italian message otherwise.
std::optional<StimulusMoment> ParseMoment(const std::string& word, std::string& error) {
  const auto eq = word.find('=');
  const std::string key = Lower(word.substr(0, eq == std::string::npos ? word.size() : eq));
  if (eq == std::string::npos || (key != "t" && key != "ciclo")) {
    error = "la riga deve cominciare con il momento, t=... o ciclo=... (per esempio t=10ms A0=1), non con " + word;
    return std::nullopt;
  }
  const std::string value = word.substr(eq + 1);
  StimulusMoment m;
  if (key == "ciclo") {
    if (!AllDigits(value) || value.size() > 16 || std::stoull(value) > kMaxCycle) {
      error = "numero di ciclo non valido: " + word + " (un numero intero, per esempio ciclo=5000)";
      return std::nullopt;
    }
    m.inCycles = true;
    m.cycle = std::stoull(value);
    return m;
  }
  // t=: digits, an optional comma or point and digits, then the unit.
  size_t i = 0;
  while (i < value.size() && std::isdigit(static_cast<unsigned char>(value[i]))) ++i;
  std::string whole = value.substr(0, i), fraction;
  if (i < value.size() && (value[i] == ',' || value[i] == '.')) {
    const size_t start = ++i;
    while (i < value.size() && std::isdigit(static_cast<unsigned char>(value[i]))) ++i;
    fraction = value.substr(start, i - start);
    if (fraction.empty()) whole.clear();  // "5." is not a number
  }
  const std::string unit = value.substr(i);
  if (whole.empty()) {
    error = "tempo non valido: " + word + " (per esempio t=10ms o t=2,5ms)";
    return std::nullopt;
  }
  int unitScale = -1;
  const std::string lowerUnit = Lower(unit);
  if (lowerUnit == "s") unitScale = 0;
  else if (lowerUnit == "ms") unitScale = 3;
  else if (lowerUnit == "us" || lowerUnit == "\xC2\xB5s" || lowerUnit == "\xCE\xBCs") unitScale = 6;  // micro sign or Greek mu
  if (unitScale < 0) {
    error = (unit.empty() ? "manca l'unità di misura in " : "unità di misura sconosciuta in ") + word +
            " (s, ms, us o µs)";
    return std::nullopt;
  }
  // Trailing zeros of the fraction and leading zeros change nothing.
  while (!fraction.empty() && fraction.back() == '0') fraction.pop_back();
  std::string digits = whole + fraction;
  digits.erase(0, std::min(digits.find_first_not_of('0'), digits.size()));
  if (digits.size() > kMaxDigits) {
    error = "tempo con troppe cifre: " + word;
    return std::nullopt;
  }
  m.inCycles = false;
  m.mantissa = digits.empty() ? 0 : std::stoull(digits);
  m.scale = static_cast<int>(fraction.size()) + unitScale;
  if (m.Cycle(4000000) >= kMaxCycle) {  // a bound in time as well: about 30 years at 4 MHz
    error = "tempo troppo grande: " + word;
    return std::nullopt;
  }
  return m;
}

}  // namespace

std::uint64_t StimulusMoment::Cycle(long clockHz) const {
  if (inCycles) return cycle;
  if (clockHz <= 0) return 0;
  using Wide = unsigned __int128;
  Wide denominator = 4;
  for (int i = 0; i < scale; ++i) denominator *= 10;
  const Wide cycles = static_cast<Wide>(mantissa) * static_cast<Wide>(clockHz) / denominator;
  const Wide most = std::numeric_limits<std::uint64_t>::max();
  return static_cast<std::uint64_t>(cycles > most ? most : cycles);
}

std::string StimuliError::Text() const {
  return line > 0 ? file + ":" + std::to_string(line) + ": " + message : file + ": " + message;
}

Stimuli ParseStimuli(const std::string& text, const std::string& fileName, bool allowChecks) {
  Stimuli result;
  std::string body = text;
  if (body.rfind("\xEF\xBB\xBF", 0) == 0) body.erase(0, 3);
  std::istringstream in(body);
  std::string raw;
  int number = 0;
  auto fail = [&](const std::string& message) {
    result.lines.clear();
    result.error = StimuliError{fileName, number, message};
    return result;
  };
  while (std::getline(in, raw)) {
    ++number;
    if (!raw.empty() && raw.back() == '\r') raw.pop_back();
    if (raw.find('\0') != std::string::npos) return fail("la riga contiene un carattere nullo");
    std::string content = WithoutComment(raw);
    std::optional<std::string> check;
    if (allowChecks) {
      // `verifica` as a word of its own: the rest of the line is the check.
      const auto words = Words(content);
      size_t at = 0, searched = 0;
      for (const std::string& w : words) {
        at = content.find(w, searched);
        searched = at + w.size();
        if (Lower(w) == "verifica") {
          check = Trim(content.substr(searched));
          content = content.substr(0, at);
          break;
        }
      }
    }
    const auto words = Words(content);
    if (words.empty()) {
      if (check) return fail("manca il momento prima di verifica (per esempio ciclo=5000 verifica ...)");
      continue;
    }
    std::string error;
    const auto moment = ParseMoment(words[0], error);
    if (!moment) return fail(error);
    StimulusLine line;
    line.line = number;
    line.moment = *moment;
    line.check = check;
    for (size_t i = 1; i < words.size(); ++i) {
      const std::string& w = words[i];
      const auto eq = w.find('=');
      const auto pin = eq == std::string::npos ? std::nullopt : ParsePin(w.substr(0, eq));
      if (!pin) {
        if (Lower(w) == "verifica") return fail("verifica non è ammessa in un file di stimoli");
        return fail("assegnazione non valida: " + w + " (una linea da A0 ad A4 o da B0 a B7, per esempio A0=1)");
      }
      const std::string level = w.substr(eq + 1);
      if (level != "0" && level != "1") return fail("livello non valido in " + w + ": 0 o 1");
      if (std::any_of(line.levels.begin(), line.levels.end(), [&](const auto& l) { return l.first == *pin; }))
        return fail("la linea " + w.substr(0, eq) + " è assegnata due volte nella stessa riga");
      line.levels.emplace_back(*pin, level == "1");
    }
    if (line.levels.empty() && !line.check)
      return fail("nessuna linea assegnata dopo " + words[0] + " (per esempio " + words[0] + " A0=1)");
    result.lines.push_back(std::move(line));
  }
  return result;
}

Stimuli ReadStimuliFile(const std::string& path, bool allowChecks) {
  std::ifstream file(path, std::ios::binary);
  if (!file) {
    Stimuli result;
    result.error = StimuliError{path, 0, "impossibile leggere il file"};
    return result;
  }
  std::ostringstream text;
  text << file.rdbuf();
  if (file.bad()) {
    Stimuli result;
    result.error = StimuliError{path, 0, "errore durante la lettura del file"};
    return result;
  }
  return ParseStimuli(text.str(), path, allowChecks);
}

std::vector<StimulusChange> StimulusTimeline(const std::vector<StimulusLine>& lines, long clockHz) {
  std::vector<StimulusChange> changes;
  for (const StimulusLine& line : lines) {
    const std::uint64_t cycle = line.moment.Cycle(clockHz);
    for (const auto& [pin, high] : line.levels) changes.push_back({cycle, pin, high, line.line});
  }
  // Stable: at one cycle, file order (lines are in file order already).
  std::stable_sort(changes.begin(), changes.end(),
                   [](const StimulusChange& a, const StimulusChange& b) { return a.cycle < b.cycle; });
  return changes;
}

std::string FormatStimulusLine(std::uint64_t cycle, const std::vector<std::pair<Pin, bool>>& levels) {
  std::string line = "ciclo=" + std::to_string(cycle);
  for (const auto& [pin, high] : levels)
    line += std::string(" ") + pin.port + std::to_string(pin.bit) + (high ? "=1" : "=0");
  return line;
}

}  // namespace velmora::toolchain
