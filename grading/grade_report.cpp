// SPDX-License-Identifier: GPL-3.0-or-later
// Rendering a class grading as rows, CSV, feedback files and summary.
#include "grade_report.h"

#include <algorithm>
#include <cstdio>
#include <map>

namespace velmora {
namespace {

std::string MessageWithStatement(const ProgramGrade& g) {
  return g.statement.empty() ? g.message : g.message + " | istruzione: " + g.statement;
}

// A CSV field: an apostrophe before what a spreadsheet would take for a
// formula, quotes when it holds the separator, a quote or a line end.
std::string CsvField(const std::string& raw) {
  std::string text = SafeText(raw);
  if (!text.empty() && std::string("=+-@\t\r").find(text[0]) != std::string::npos) text.insert(0, "'");
  if (text.find_first_of(";\"\r\n") == std::string::npos) return text;
  std::string quoted = "\"";
  for (char c : text) quoted += c == '"' ? std::string("\"\"") : std::string(1, c);
  return quoted + "\"";
}

std::string FoundTitle(const ExerciseCheck& c) {
  return "trovato: " + c.name + (c.cycle ? " (ciclo " + std::to_string(*c.cycle) + ")" : "");
}

bool Scored(const ProgramGrade& g) { return g.outcome != Outcome::NoProgram && g.simulation != SimulationOutcome::NotGraded; }

std::string Decimal(double value) {
  char text[32];
  std::snprintf(text, sizeof text, "%.1f", value);
  std::string s = text;
  std::replace(s.begin(), s.end(), '.', ',');
  return s;
}

}  // namespace

std::string SafeText(const std::string& text) {
  static const std::string kReplacement = "\xEF\xBF\xBD";
  std::string out;
  const auto* s = reinterpret_cast<const unsigned char*>(text.data());
  const size_t n = text.size();
  for (size_t i = 0; i < n;) {
    const unsigned char c = s[i];
    size_t length = 0;
    unsigned code = 0;
    if (c < 0x80) {
      length = 1;
      code = c;
    } else if (c >= 0xC2 && c <= 0xDF) {
      length = 2;
      code = c & 0x1Fu;
    } else if (c >= 0xE0 && c <= 0xEF) {
      length = 3;
      code = c & 0x0Fu;
    } else if (c >= 0xF0 && c <= 0xF4) {
      length = 4;
      code = c & 0x07u;
    }
    bool valid = length > 0 && i + length <= n;
    for (size_t k = 1; valid && k < length; ++k) {
      valid = (s[i + k] & 0xC0) == 0x80;
      code = code << 6 | (s[i + k] & 0x3Fu);
    }
    if (valid && ((length == 3 && (code < 0x800 || (code >= 0xD800 && code <= 0xDFFF))) ||
                  (length == 4 && (code < 0x10000 || code > 0x10FFFF))))
      valid = false;
    if (!valid) {
      out += kReplacement;
      ++i;
      continue;
    }
    if (code < 0x20 || code == 0x7F || (code >= 0x80 && code <= 0x9F))
      out += kReplacement;
    else
      out.append(text, i, length);
    i += length;
  }
  return out;
}

std::string Count(long long n, const char* one, const char* many) {
  return std::to_string(n) + " " + (n == 1 ? one : many);
}

std::string RowLine(const ProgramGrade& g, const Exercise* exercise) {
  std::string line = g.path + (g.line > 0 ? ":" + std::to_string(g.line) : "") + ": " + OutcomeName(g.outcome);
  if (g.translated && g.outcome == Outcome::Ok) {
    line += " (" + std::to_string(g.words) + " word, " + std::to_string(g.ram) + " byte RAM, " +
            Count(g.variables, "variabile", "variabili") + ", stack " + std::to_string(g.stack) + ")";
  } else {
    line += ": " + MessageWithStatement(g);
  }
  if (exercise && g.simulation != SimulationOutcome::NotRun) {
    if (g.simulation == SimulationOutcome::NotGraded) {
      line += " non valutato (" + g.simulationError + ")";
    } else {
      line += " punteggio " + std::to_string(g.score) + "/" + std::to_string(exercise->TotalPoints());
      if (g.simulation == SimulationOutcome::Failed) line += " (simulazione errore: " + g.simulationError + ")";
    }
  }
  return SafeText(line);
}

std::string CountsLine(const ClassGrading& grading) {
  long long ok = 0, errors = 0, unreadable = 0, missing = 0, notGraded = 0;
  for (const ProgramGrade& g : grading.programs) {
    if (!g.done) continue;
    ok += g.outcome == Outcome::Ok;
    errors += g.outcome == Outcome::Error;
    unreadable += g.outcome == Outcome::Unreadable;
    missing += g.outcome == Outcome::NoProgram;
    notGraded += g.simulation == SimulationOutcome::NotGraded;
  }
  std::string line = "Tradotti: " + std::to_string(ok) + ", con errori: " + std::to_string(errors) +
                     ", illeggibili: " + std::to_string(unreadable);
  if (missing) line += ", senza programma: " + std::to_string(missing);
  if (notGraded) line += ", non valutati: " + std::to_string(notGraded);
  return line;
}

std::string CsvText(const ClassGrading& grading, const Exercise* exercise) {
  std::vector<std::string> header = {"file", "esito", "riga", "messaggio", "word", "ram", "variabili", "stack", "avvisi"};
  if (exercise) {
    header.push_back("simulazione");
    for (const ExerciseCheck& c : exercise->checks) {
      header.push_back(c.Title());
      header.push_back(FoundTitle(c));
    }
    header.push_back("punteggio");
  }
  std::string csv = "\xEF\xBB\xBF";
  const auto row = [&csv](const std::vector<std::string>& fields) {
    for (size_t i = 0; i < fields.size(); ++i) csv += (i ? ";" : "") + CsvField(fields[i]);
    csv += "\r\n";
  };
  row(header);
  for (const ProgramGrade& g : grading.programs) {
    if (!g.done) continue;
    const auto figure = [&](int n) { return g.translated ? std::to_string(n) : std::string(); };
    std::string warnings;
    for (const SourceMessage& w : g.warnings)
      warnings += (warnings.empty() ? "" : " | ") + (w.line > 0 ? "riga " + std::to_string(w.line) + ": " : "") + w.message;
    std::vector<std::string> fields = {g.path,        OutcomeName(g.outcome), g.line > 0 ? std::to_string(g.line) : "",
                                       g.outcome == Outcome::Ok ? "" : MessageWithStatement(g),
                                       figure(g.words), figure(g.ram), figure(g.variables), figure(g.stack), warnings};
    if (exercise) {
      fields.push_back(SimulationText(g));
      const bool blank = g.simulation == SimulationOutcome::NotGraded || g.outcome == Outcome::NoProgram;
      for (size_t i = 0; i < exercise->checks.size(); ++i) {
        const CheckResult* c = i < g.checks.size() ? &g.checks[i] : nullptr;
        fields.push_back(blank ? "" : c ? std::to_string(c->points) : "0");
        fields.push_back(c && c->found ? *c->found : "");
      }
      fields.push_back(g.simulation == SimulationOutcome::NotGraded ? "non valutato"
                       : g.outcome == Outcome::NoProgram        ? ""
                                                                : std::to_string(g.score));
    }
    row(fields);
  }
  return csv;
}

std::string FeedbackText(const ProgramGrade& g, const Exercise* exercise) {
  std::string t;
  const auto line = [&t](const std::string& text) { t += SafeText(text) + "\r\n"; };
  line("Programma: " + g.path);
  if (g.outcome == Outcome::Ok) {
    line("Esito: tradotto senza errori (" + std::to_string(g.words) + " word, " + std::to_string(g.ram) +
         " byte di RAM, " + Count(g.variables, "variabile", "variabili") + ", stack " + std::to_string(g.stack) + ")");
  } else {
    line(std::string("Esito: ") + (g.outcome == Outcome::Unreadable ? "file illeggibile" : "errore") +
         (g.line > 0 ? " alla riga " + std::to_string(g.line) : ""));
    line("Messaggio: " + g.message);
    if (!g.statement.empty()) line("Istruzione: " + g.statement);
  }
  for (const SourceMessage& w : g.warnings)
    line("Avviso" + (w.line > 0 ? " (riga " + std::to_string(w.line) + ")" : std::string()) + ": " + w.message);
  if (!exercise) return t;
  line("");
  if (g.simulation == SimulationOutcome::NotRun) {
    line("Verifiche: non eseguite, il programma non è stato tradotto.");
    line("Punteggio: 0 su " + std::to_string(exercise->TotalPoints()));
    return t;
  }
  if (g.simulation == SimulationOutcome::NotGraded) {
    line("Verifiche: non valutate (" + g.simulationError + "); il docente ripeterà la prova.");
    return t;
  }
  line("Verifiche (simulazione di " + std::to_string(exercise->options.cycles) + " cicli di istruzione):");
  if (g.simulation == SimulationOutcome::Failed) line("  la simulazione non è riuscita: " + g.simulationError);
  for (size_t i = 0; i < exercise->checks.size(); ++i) {
    const ExerciseCheck& c = exercise->checks[i];
    const CheckResult r = i < g.checks.size() ? g.checks[i] : CheckResult{};
    line("  " + std::string(c.cycle ? "al ciclo " + std::to_string(*c.cycle) + ", " : "") + "atteso " +
         c.Condition() + ", trovato " + (r.found ? *r.found : "nulla") + ": " +
         Count(r.points, "punto", "punti") + " su " + std::to_string(c.points));
  }
  line("Punteggio: " + std::to_string(g.score) + " su " + std::to_string(exercise->TotalPoints()));
  return t;
}

std::string ClassSummaryText(const ClassGrading& grading, const Exercise* exercise) {
  std::string t = "Riepilogo della classe\n" + CountsLine(grading) + "\n";
  if (grading.cancelled) t += "Correzione interrotta: mancano i programmi non ancora corretti.\n";
  if (exercise) {
    const int total = exercise->TotalPoints();
    std::map<int, std::vector<std::string>> byScore;
    long long sum = 0, counted = 0, full = 0;
    for (const ProgramGrade& g : grading.programs) {
      if (!g.done || !Scored(g)) continue;
      byScore[g.score].push_back(g.path);
      sum += g.score;
      ++counted;
      full += g.score == total;
    }
    t += "Media: " + (counted ? Decimal(static_cast<double>(sum) / static_cast<double>(counted)) : std::string("-")) +
         " su " + std::to_string(total) + " (" + Count(counted, "studente valutato", "studenti valutati") + ")\n";
    t += "Punteggio pieno: " + Count(full, "studente", "studenti") + "\n";
    t += "Distribuzione dei punteggi:\n";
    for (auto it = byScore.rbegin(); it != byScore.rend(); ++it)
      t += "  " + std::to_string(it->first) + "/" + std::to_string(total) + ": " +
           Count(static_cast<long long>(it->second.size()), "studente", "studenti") + " " +
           std::string(std::min<size_t>(it->second.size(), 50), '#') + "\n";
  }
  std::map<std::string, std::vector<std::string>> byMessage;
  for (const ProgramGrade& g : grading.programs) {
    if (!g.done) continue;
    if (g.outcome != Outcome::Ok) byMessage[g.message].push_back(g.path + (g.line > 0 ? ":" + std::to_string(g.line) : ""));
    if (g.simulation == SimulationOutcome::Failed || g.simulation == SimulationOutcome::NotGraded)
      byMessage[SimulationText(g)].push_back(g.path);
  }
  if (!byMessage.empty()) {
    std::vector<std::pair<std::string, std::vector<std::string>>> sorted(byMessage.begin(), byMessage.end());
    std::stable_sort(sorted.begin(), sorted.end(),
                     [](const auto& a, const auto& b) { return a.second.size() > b.second.size(); });
    t += "Errori per messaggio:\n";
    for (const auto& [message, who] : sorted) {
      t += "  " + message + ": " + Count(static_cast<long long>(who.size()), "studente", "studenti") + " (";
      for (size_t i = 0; i < who.size(); ++i) t += (i ? ", " : "") + who[i];
      t += ")\n";
    }
  }
  std::string safe;  // line by line: the line ends stay
  size_t start = 0;
  for (size_t nl; (nl = t.find('\n', start)) != std::string::npos; start = nl + 1)
    safe += SafeText(t.substr(start, nl - start)) + "\n";
  return safe;
}

}  // namespace velmora
