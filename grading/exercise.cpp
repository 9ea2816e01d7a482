// SPDX-License-Identifier: GPL-3.0-or-later
// Reading exercise files and judging their checks.
#include "exercise.h"

#include "italian_text.h"
#include "program_run.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <sstream>

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

bool AllOf(const std::string& s, size_t from, size_t to, const char* digits) {
  if (from >= to) return false;
  for (size_t i = from; i < to; ++i)
    if (!std::strchr(digits, std::toupper(static_cast<unsigned char>(s[i])))) return false;
  return true;
}

std::optional<std::uint64_t> Parse(const std::string& s, size_t from, size_t to, int base) {
  errno = 0;
  char* end = nullptr;
  const std::string digits = s.substr(from, to - from);
  const unsigned long long v = std::strtoull(digits.c_str(), &end, base);
  if (errno != 0 || *end != '\0') return std::nullopt;
  return v;
}

// One value as an exercise writes it: decimal, &H1B, B'00011011' or 0x1B.
std::optional<std::uint64_t> ExerciseNumber(const std::string& t) {
  const std::string u = Upper(t);
  if (AllOf(u, 0, u.size(), "0123456789")) return Parse(u, 0, u.size(), 10);
  if (u.rfind("&H", 0) == 0 && AllOf(u, 2, u.size(), "0123456789ABCDEF")) return Parse(u, 2, u.size(), 16);
  if (u.rfind("0X", 0) == 0 && AllOf(u, 2, u.size(), "0123456789ABCDEF")) return Parse(u, 2, u.size(), 16);
  if (u.size() > 3 && u.rfind("B'", 0) == 0 && u.back() == '\'' && AllOf(u, 2, u.size() - 1, "01"))
    return Parse(u, 2, u.size() - 1, 2);
  return std::nullopt;
}

// One value as --simulate prints it: decimal, 0x hex, si or no.
std::optional<std::uint64_t> PrintedNumber(const std::string& t) {
  if (const auto yes = italian::ParseYesNo(t)) return *yes ? 1 : 0;
  if (AllOf(t, 0, t.size(), "0123456789")) return Parse(t, 0, t.size(), 10);
  if (t.size() > 2 && t[0] == '0' && (t[1] == 'x' || t[1] == 'X') && AllOf(t, 2, t.size(), "0123456789ABCDEF"))
    return Parse(t, 2, t.size(), 16);
  return std::nullopt;
}

std::vector<std::string> Words(const std::string& s) {
  std::istringstream in(s);
  std::vector<std::string> words;
  for (std::string w; in >> w;) words.push_back(w);
  return words;
}

const char* OpText(CompareOp op) {
  switch (op) {
    case CompareOp::Equal: return "=";
    case CompareOp::NotEqual: return "<>";
    case CompareOp::Less: return "<";
    case CompareOp::LessEqual: return "<=";
    case CompareOp::Greater: return ">";
    case CompareOp::GreaterEqual: return ">=";
  }
  return "=";
}

std::optional<CompareOp> ParseOp(const std::string& s) {
  const std::pair<const char*, CompareOp> ops[] = {{"=", CompareOp::Equal},     {"<>", CompareOp::NotEqual},
                                                   {"<", CompareOp::Less},      {"<=", CompareOp::LessEqual},
                                                   {">", CompareOp::Greater},   {">=", CompareOp::GreaterEqual}};
  for (const auto& [text, op] : ops)
    if (s == text) return op;
  return std::nullopt;
}

bool IsRegisterName(const std::string& u) {
  return u == "PORTA" || u == "PORTB" || u == "TRISA" || u == "TRISB" || u == "W";
}

constexpr const char* kValueForms = "un numero decimale, &H1B, B'00011011' o 0x1B";

// `verifica PUNTI NOME OP VALORE` after the keyword; an Italian message on a mistake.
std::optional<ExerciseCheck> ParseCheck(const std::string& rest, std::string& message) {
  ExerciseCheck c;
  std::istringstream parts(rest);
  std::string points;
  parts >> points;
  std::string check;
  std::getline(parts, check);
  check = Trim(check);
  const auto p = ExerciseNumber(points);
  if (points.empty() || !std::isdigit(static_cast<unsigned char>(points[0])) || !p || *p == 0 || *p > 1000) {
    message = "punti non validi: " + points + " (da 1 a 1000)";
    return std::nullopt;
  }
  c.points = static_cast<int>(*p);
  size_t i = 0;
  while (i < check.size() && (std::isalnum(static_cast<unsigned char>(check[i])) || check[i] == '_')) ++i;
  c.name = Upper(check.substr(0, i));
  size_t j = check.find_first_not_of(" \t", i);
  size_t k = j == std::string::npos ? check.size() : j;
  while (k < check.size() && std::strchr("<>=!", check[k])) ++k;
  const std::string opText = j == std::string::npos ? "" : check.substr(j, k - j);
  const std::string value = Trim(check.substr(k));
  if (c.name.empty() || std::isdigit(static_cast<unsigned char>(c.name[0])) || opText.empty() || value.empty()) {
    if (!c.name.empty() && opText.empty() && j != std::string::npos && i < check.size() && check[i] != ' ' &&
        check[i] != '\t') {
      message = "nome non valido nella verifica: " + check + " (lettere, cifre e _)";
      return std::nullopt;
    }
    message = "verifica non valida: " + check + " (per esempio: verifica 2 VALORE = 27)";
    return std::nullopt;
  }
  const auto op = ParseOp(opText);
  if (!op) {
    message = "operatore non valido: " + opText + " (=, <>, <, <=, >, >=)";
    return std::nullopt;
  }
  c.op = *op;
  c.expected = value;
  if (c.name == "SLEEP") {
    const auto yes = italian::ParseYesNo(value);
    if (!yes) {
      message = "valore non valido per SLEEP: " + value + " (sì, si o no)";
      return std::nullopt;
    }
    if (c.op != CompareOp::Equal && c.op != CompareOp::NotEqual) {
      message = "SLEEP si confronta solo con = o <>";
      return std::nullopt;
    }
    c.values = {*yes ? 1u : 0u};
    return c;
  }
  for (const std::string& word : Words(value)) {
    const auto n = ExerciseNumber(word);
    if (!n) {
      message = "valore non valido: " + word + " (" + kValueForms + ")";
      return std::nullopt;
    }
    if (IsRegisterName(c.name) && *n > 255) {
      message = "valore fuori intervallo per " + c.name + ": " + word + " (da 0 a 255)";
      return std::nullopt;
    }
    c.values.push_back(*n);
  }
  if (c.values.size() > 1 && c.op != CompareOp::Equal && c.op != CompareOp::NotEqual) {
    message = "più valori si confrontano solo con = o <>: " + value;
    return std::nullopt;
  }
  return c;
}

}  // namespace

std::string ExerciseCheck::Condition() const { return name + " " + OpText(op) + " " + expected; }

std::string ExerciseCheck::Title() const {
  const std::string moment = cycle ? "ciclo " + std::to_string(*cycle) + ": " : "";
  return moment + Condition() + " (" + std::to_string(points) + ")";
}

int Exercise::TotalPoints() const {
  int total = 0;
  for (const ExerciseCheck& c : checks) total += c.points;
  return total;
}

std::vector<std::uint64_t> Exercise::CheckCycles() const {
  std::vector<std::uint64_t> cycles;
  for (const ExerciseCheck& c : checks)
    if (c.cycle) cycles.push_back(*c.cycle);
  std::sort(cycles.begin(), cycles.end());
  cycles.erase(std::unique(cycles.begin(), cycles.end()), cycles.end());
  return cycles;
}

std::optional<Exercise> ParseExercise(const std::string& fileText, std::string& error) {
  Exercise e;
  bool haveCycles = false, haveLimit = false;
  std::vector<toolchain::StimulusLine> timeline;
  std::string text = fileText;
  if (text.rfind("\xEF\xBB\xBF", 0) == 0) text.erase(0, 3);
  std::istringstream in(text);
  std::string raw;
  int number = 0;
  const auto fail = [&](const std::string& message) {
    error = (number > 0 ? std::to_string(number) + ": " : std::string()) + message;
    return std::nullopt;
  };
  while (std::getline(in, raw)) {
    ++number;
    const auto comment = raw.find_first_of(";#");
    const std::string line = Trim(comment == std::string::npos ? raw : raw.substr(0, comment));
    if (line.empty()) continue;
    std::istringstream words(line);
    std::string keyword, rest;
    words >> keyword;
    std::getline(words, rest);
    rest = Trim(rest);
    keyword = Upper(keyword);
    std::optional<std::uint64_t> moment;
    if (keyword.rfind("CICLO=", 0) == 0 || keyword.rfind("T=", 0) == 0) {
      // A timeline line, in the stimuli files' format: input changes and/or
      // an intermediate check at a moment.
      const toolchain::Stimuli parsed = toolchain::ParseStimuli(line, "", true);
      if (!parsed.ok()) return fail(parsed.error->message);
      toolchain::StimulusLine timed = parsed.lines.at(0);
      timed.line = number;
      timeline.push_back(timed);
      if (!timed.check) continue;
      moment = timed.moment.Cycle(kExerciseClockHz);
      if (*moment == 0) return fail("una verifica al ciclo 0 non vede nessuna istruzione eseguita");
      std::istringstream check(*timed.check);
      keyword = "VERIFICA";
      std::getline(check, rest);
      rest = Trim(rest);
    }
    if (keyword == "CICLI") {
      const auto cycles = AllOf(rest, 0, rest.size(), "0123456789") ? ExerciseNumber(rest) : std::nullopt;
      if (haveCycles) return fail("cicli ripetuto");
      if (!cycles || *cycles == 0 || *cycles > kMaxExerciseCycles)
        return fail("numero di cicli non valido: " + rest + " (da 1 a " + std::to_string(kMaxExerciseCycles) + ")");
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
      const auto seconds = AllOf(rest, 0, rest.size(), "0123456789") ? ExerciseNumber(rest) : std::nullopt;
      if (haveLimit) return fail("tempo ripetuto");
      if (!seconds || *seconds == 0 || *seconds > 3600) return fail("tempo non valido: " + rest + " (da 1 a 3600 secondi)");
      e.options.timeLimit = std::chrono::seconds(*seconds);
      haveLimit = true;
    } else if (keyword == "WATCHDOG") {
      if (!rest.empty()) return fail("watchdog va da solo sulla riga");
      e.options.watchdog = true;
    } else if (keyword == "VERIFICA") {
      std::string message;
      auto c = ParseCheck(rest, message);
      if (!c) return fail(message);
      c->line = number;
      c->cycle = moment;
      e.checks.push_back(*c);
    } else {
      return fail("parola chiave sconosciuta: " + keyword + " (cicli, pin, watchdog, tempo, verifica, t=... o ciclo=...)");
    }
  }
  number = 0;
  if (!haveCycles) return fail("manca la riga cicli");
  if (e.checks.empty()) return fail("nessuna verifica");
  for (const ExerciseCheck& c : e.checks) {
    if (c.cycle && *c.cycle > e.options.cycles) {
      number = c.line;
      return fail("il ciclo " + std::to_string(*c.cycle) + " è oltre la fine della prova (cicli " +
                  std::to_string(e.options.cycles) + ")");
    }
  }
  e.changes = toolchain::StimulusTimeline(timeline, kExerciseClockHz);
  if (!haveLimit) e.options.timeLimit = SimulationGuard(e.options.cycles);
  return e;
}

bool IsChipName(const std::string& u) { return IsRegisterName(u) || u == "CICLI" || u == "SLEEP"; }

std::vector<ExerciseCheck> ChecksOnUnknownNames(const Exercise& exercise, const std::set<std::string>& declared) {
  std::vector<ExerciseCheck> unknown;
  for (const ExerciseCheck& c : exercise.checks)
    if (!IsChipName(c.name) && !declared.count(c.name)) unknown.push_back(c);
  return unknown;
}

bool CheckPasses(const ExerciseCheck& check, const std::optional<std::string>& printed) {
  if (!printed) return false;
  std::vector<std::uint64_t> got;
  for (const std::string& word : Words(*printed)) {
    const auto n = PrintedNumber(word);
    if (!n) return false;
    got.push_back(*n);
  }
  if (got.empty()) return false;
  if (got.size() > 1 || check.values.size() > 1) {
    const bool same = got == check.values;
    return check.op == CompareOp::Equal ? same : check.op == CompareOp::NotEqual ? !same : false;
  }
  const std::uint64_t a = got[0], b = check.values[0];
  switch (check.op) {
    case CompareOp::Equal: return a == b;
    case CompareOp::NotEqual: return a != b;
    case CompareOp::Less: return a < b;
    case CompareOp::LessEqual: return a <= b;
    case CompareOp::Greater: return a > b;
    case CompareOp::GreaterEqual: return a >= b;
  }
  return false;
}

}  // namespace velmora
