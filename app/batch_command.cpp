// SPDX-License-Identifier: GPL-3.0-or-later
// velmorac --batch [--jobs N] [--csv OUT.csv] [--check EXERCISE] [--write] PATH...
//
// Files and folders (searched recursively for .bas, in name order) are
// translated in parallel, one CompileState per program; results are
// gathered in input order, so the output does not depend on scheduling.
// One summary line per file on standard output, then the counts; on a
// terminal a progress bar on standard error. With --check every translated
// program also runs on gpsim as with --simulate and gets its checks scored.
// The CSV (UTF-8, ';'-separated, quoted where needed) is written through a
// temporary file opened before any program runs and renamed at the end, so
// a CSV path that cannot be written stops the batch at once and a stopped
// batch leaves no half-written file.
#include "batch_command.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>
#include <optional>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "exercise.h"
#include "italian_text.h"
#include "translator.h"

namespace velmora {
namespace {

namespace fs = std::filesystem;

constexpr int kAllTranslated = 0;
constexpr int kSomeFailed = 1;
constexpr int kCommandError = 2;

struct BatchArguments {
  unsigned jobs = 0;  // 0: one per core
  std::optional<std::string> csv, check;
  bool write = false;
  std::vector<std::string> paths;
};

enum class Outcome { Ok, Error, Unreadable };

struct FileResult {
  std::string path;
  Outcome outcome = Outcome::Unreadable;
  std::string message;  // error message (with its statement) or why it is unreadable
  std::string line;     // the BASIC line of the error, when it has one
  std::string words, ram, variables, stack;
  // With --check:
  std::string simulation;          // "ok", "interrotta" (time limit) or "errore: ..."
  std::vector<int> checkPoints;    // points earned per check
  int score = 0;
};

int Fail(const std::string& message) {
  std::fprintf(stderr, "velmorac: %s\n", message.c_str());
  return kCommandError;
}

int UsageError(const std::string& message) {
  Fail(message);
  std::fprintf(stderr,
               "Uso: velmorac --batch [--jobs N] [--csv FILE.csv] [--check ESERCIZIO] [--write] PERCORSO...\n");
  return kCommandError;
}

std::optional<std::string> ReadAll(const std::string& path) {
  std::error_code ec;
  errno = 0;
  if (fs::is_directory(path, ec)) {
    errno = EISDIR;
    return std::nullopt;
  }
  std::ifstream in(path, std::ios::binary);
  if (!in) return std::nullopt;
  std::ostringstream s;
  s << in.rdbuf();
  if (in.bad()) return std::nullopt;
  return s.str();
}

std::optional<int> ParseArguments(int argc, char** argv, BatchArguments& a) {
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    const auto value = [&]() -> std::optional<std::string> {
      if (i + 1 >= argc) return std::nullopt;
      return std::string(argv[++i]);
    };
    if (arg == "--batch") continue;
    if (arg == "--write") {
      a.write = true;
    } else if (arg == "--jobs" || arg == "-j") {
      const auto n = value();
      char* end = nullptr;
      const long jobs = n ? std::strtol(n->c_str(), &end, 10) : 0;
      if (!n || *end != '\0' || jobs < 1 || jobs > 256) return UsageError("--jobs richiede un numero da 1 a 256");
      a.jobs = static_cast<unsigned>(jobs);
    } else if (arg == "--csv") {
      a.csv = value();
      if (!a.csv || a.csv->empty()) return UsageError("--csv richiede il percorso del file CSV");
    } else if (arg == "--check") {
      a.check = value();
      if (!a.check || a.check->empty()) return UsageError("--check richiede il file dell'esercizio");
    } else if (arg.size() > 1 && arg[0] == '-') {
      return UsageError("opzione sconosciuta con --batch: " + arg);
    } else {
      a.paths.push_back(arg);
    }
  }
  if (a.paths.empty()) return UsageError("--batch richiede almeno un file o una cartella");
  return std::nullopt;
}

bool IsBasFile(const fs::path& p) {
  std::string ext = p.extension().string();
  for (char& c : ext) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return ext == ".bas";
}

// The programs named on the command line: a file as given (whatever its
// extension), a folder's .bas files at any depth in name order. A path that
// does not exist gets an unreadable row.
std::vector<std::string> CollectFiles(const std::vector<std::string>& paths) {
  std::vector<std::string> files;
  for (const std::string& path : paths) {
    std::error_code ec;
    if (!fs::is_directory(path, ec)) {
      files.push_back(path);
      continue;
    }
    std::vector<std::string> found;
    for (fs::recursive_directory_iterator it(path, fs::directory_options::skip_permission_denied, ec), end;
         !ec && it != end; it.increment(ec)) {
      std::error_code fileEc;
      if (IsBasFile(it->path()) && !it->is_directory(fileEc)) found.push_back(it->path().string());
    }
    std::sort(found.begin(), found.end());
    files.insert(files.end(), found.begin(), found.end());
  }
  return files;
}

// The number after `label` in the translation report ("Lunghezza programma 23 word").
std::string ReportNumber(const std::string& report, const std::string& label) {
  const auto at = report.find(label);
  if (at == std::string::npos) return {};
  size_t i = at + label.size();
  while (i < report.size() && report[i] == ' ') ++i;
  size_t j = i;
  while (j < report.size() && std::isdigit(static_cast<unsigned char>(report[j]))) ++j;
  return report.substr(i, j - i);
}

// "<*> ERRORE : message" and the statement after "---istruzione---", on one line.
std::string ErrorMessage(const std::string& block) {
  std::string message = block;
  const std::string head = "<*> ERRORE : ", statement = "---istruzione---";
  if (message.rfind(head, 0) == 0) message.erase(0, head.size());
  const auto at = message.find(statement);
  if (at != std::string::npos) {
    std::string rest = message.substr(at + statement.size());
    message = message.substr(0, at) + " | istruzione:" + rest;
  }
  std::string flat;
  for (char c : message) {
    if (c == '\r') continue;
    flat += c == '\n' ? ' ' : c;
  }
  while (flat.find("  ") != std::string::npos) flat.replace(flat.find("  "), 2, " ");
  while (!flat.empty() && flat.back() == ' ') flat.pop_back();
  return flat;
}

bool WriteBeside(const std::string& basPath, const std::string& bytes) {
  fs::path out(basPath);
  out.replace_extension(".asm");
  const std::string temp = out.string() + ".tmp";
  {
    std::ofstream f(temp, std::ios::binary | std::ios::trunc);
    f << bytes;
    if (!f.flush()) return false;
  }
  std::error_code ec;
  fs::rename(temp, out, ec);
  if (ec) fs::remove(temp, ec);
  return !ec;
}

// The row's simulation text when the chip was read back: "ok", or, when
// gpsim stopped the program by itself, "fermata: explanation (riga N)"; the
// checks are then scored on the chip as it was at the stop.
std::string SimulationText(const AssemblyRun& run) {
  if (!run.stop) return "ok";
  return "fermata: " + run.stop->explanation +
         (run.stop->line > 0 ? " (riga " + std::to_string(run.stop->line) + ")" : std::string());
}

FileResult Process(const std::string& path, const BatchArguments& args, const Exercise* exercise) {
  FileResult r;
  r.path = path;
  const auto source = ReadAll(path);
  if (!source) {
    r.message = std::string("impossibile leggere il file: ") + velmora::italian::SystemError(errno ? errno : EIO);
    return r;
  }
  TranslateOptions options;
  options.programPath = path;
  Translator translator;
  const TranslationResult t = translator.Translate(*source, options);
  if (!t.ok) {
    r.outcome = Outcome::Error;
    r.message = ErrorMessage(t.assembly);
    if (t.errorLine > 0) r.line = std::to_string(t.errorLine);
    return r;
  }
  r.outcome = Outcome::Ok;
  r.words = ReportNumber(t.report, "Lunghezza programma");
  r.variables = ReportNumber(t.report, "Numero di variabili definite");
  r.ram = ReportNumber(t.report, "Utilizzo memoria RAM");
  r.stack = ReportNumber(t.report, "Livello di Stack");
  if (args.write && !WriteBeside(path, AssemblyFileBytes(t.assembly)))
    r.message = "impossibile scrivere il file .asm";
  if (!exercise) return r;

  const AssemblyRun run = RunAssembly(t.assembly, exercise->options, t.assemblyLineSources);
  r.checkPoints.assign(exercise->checks.size(), 0);
  if (!run.ok) {
    r.simulation = run.timedOut ? "interrotta" : "errore: " + ErrorMessage(run.error);
    return r;
  }
  r.simulation = SimulationText(run);
  for (size_t i = 0; i < exercise->checks.size(); ++i) {
    const ExerciseCheck& check = exercise->checks[i];
    std::optional<std::string> printed;
    for (const auto& [name, value] : run.lines)
      if (strcasecmp(name.c_str(), check.name.c_str()) == 0) printed = value;
    if (CheckPasses(check, printed)) r.checkPoints[i] = check.points;
    r.score += r.checkPoints[i];
  }
  return r;
}

// A CSV field: quoted when it holds the separator, a quote or a line end.
std::string CsvField(const std::string& text) {
  if (text.find_first_of(";\"\r\n") == std::string::npos) return text;
  std::string quoted = "\"";
  for (char c : text) quoted += c == '"' ? std::string("\"\"") : std::string(1, c);
  return quoted + "\"";
}

const char* OutcomeName(Outcome o) {
  return o == Outcome::Ok ? "ok" : o == Outcome::Error ? "errore" : "illeggibile";
}

std::string CsvText(const std::vector<FileResult>& results, const Exercise* exercise) {
  std::vector<std::string> header = {"file", "esito", "riga", "messaggio", "word", "ram", "variabili", "stack"};
  if (exercise) {
    header.push_back("simulazione");
    for (const ExerciseCheck& c : exercise->checks) header.push_back(c.Title());
    header.push_back("punteggio");
  }
  std::string csv;
  const auto row = [&csv](const std::vector<std::string>& fields) {
    for (size_t i = 0; i < fields.size(); ++i) csv += (i ? ";" : "") + CsvField(fields[i]);
    csv += "\r\n";
  };
  row(header);
  for (const FileResult& r : results) {
    std::vector<std::string> fields = {r.path, OutcomeName(r.outcome), r.line, r.message, r.words, r.ram, r.variables, r.stack};
    if (exercise) {
      fields.push_back(r.simulation);
      for (size_t i = 0; i < exercise->checks.size(); ++i)
        fields.push_back(i < r.checkPoints.size() ? std::to_string(r.checkPoints[i]) : "0");
      fields.push_back(std::to_string(r.score));
    }
    row(fields);
  }
  return csv;
}

std::string SummaryLine(const FileResult& r, const Exercise* exercise) {
  std::string line = r.path + (r.line.empty() ? "" : ":" + r.line) + ": " + OutcomeName(r.outcome);
  if (r.outcome == Outcome::Ok) {
    line += " (" + r.words + " word, " + r.ram + " byte RAM, " + r.variables + (r.variables == "1" ? " variabile" : " variabili") + ", stack " + r.stack + ")";
    if (!r.message.empty()) line += ": " + r.message;
  } else {
    line += ": " + r.message;
  }
  if (exercise && r.outcome == Outcome::Ok) {
    line += " punteggio " + std::to_string(r.score) + "/" + std::to_string(exercise->TotalPoints());
    if (r.simulation != "ok") line += " (simulazione " + r.simulation + ")";
  }
  return line + "\n";
}

void ShowProgress(size_t done, size_t total) {
  constexpr int kWidth = 30;
  const int filled = total ? static_cast<int>(done * kWidth / total) : kWidth;
  std::fprintf(stderr, "\r[%s%s] %zu/%zu", std::string(static_cast<size_t>(filled), '#').c_str(),
               std::string(static_cast<size_t>(kWidth - filled), '-').c_str(), done, total);
  std::fflush(stderr);
}

}  // namespace

bool IsBatchCommand(int argc, char** argv) {
  for (int i = 1; i < argc; ++i)
    if (std::strcmp(argv[i], "--batch") == 0) return true;
  return false;
}

int BatchCommand(int argc, char** argv) {
  BatchArguments args;
  if (const auto status = ParseArguments(argc, argv, args)) return *status;

  std::optional<Exercise> exercise;
  if (args.check) {
    const auto text = ReadAll(*args.check);
    if (!text) return Fail("impossibile leggere l'esercizio " + *args.check + ": " + velmora::italian::SystemError(errno));
    std::string error;
    exercise = ParseExercise(*text, error);
    if (!exercise) return Fail(*args.check + (std::isdigit(static_cast<unsigned char>(error[0])) ? ":" : ": ") + error);
  }

  // The CSV's temporary file, beside it, before any program runs.
  std::string csvTemp;
  int csvFd = -1;
  if (args.csv) {
    const fs::path target(*args.csv);
    std::error_code ec;
    if (fs::is_directory(target, ec)) return Fail("impossibile scrivere " + *args.csv + ": è una cartella");
    csvTemp = (target.has_parent_path() ? target.parent_path() : fs::path(".")).string() + "/." +
              target.filename().string() + ".XXXXXX";
    csvFd = ::mkstemp(csvTemp.data());
    if (csvFd < 0) return Fail("impossibile scrivere " + *args.csv + ": " + velmora::italian::SystemError(errno));
  }

  const std::vector<std::string> files = CollectFiles(args.paths);
  std::vector<FileResult> results(files.size());
  std::atomic<size_t> next{0}, done{0};
  const unsigned cores = std::max(1u, std::thread::hardware_concurrency());
  const size_t jobs = std::min<size_t>(args.jobs ? args.jobs : cores, std::max<size_t>(files.size(), 1));
  const Exercise* ex = exercise ? &*exercise : nullptr;
  {
    std::vector<std::jthread> workers;
    for (size_t w = 0; w < jobs; ++w)
      workers.emplace_back([&] {
        for (size_t i = next++; i < files.size(); i = next++) {
          results[i] = Process(files[i], args, ex);
          ++done;
        }
      });
    if (::isatty(STDERR_FILENO)) {
      while (done < files.size()) {
        ShowProgress(done, files.size());
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
      }
      ShowProgress(done, files.size());
      std::fputs("\n", stderr);  // the finished bar stays above the summary
    }
  }

  int translated = 0, withErrors = 0, unreadable = 0;
  std::string out;
  for (const FileResult& r : results) {
    out += SummaryLine(r, ex);
    translated += r.outcome == Outcome::Ok;
    withErrors += r.outcome == Outcome::Error;
    unreadable += r.outcome == Outcome::Unreadable;
  }
  out += "Tradotti: " + std::to_string(translated) + ", con errori: " + std::to_string(withErrors) +
         ", illeggibili: " + std::to_string(unreadable) + "\n";
  std::fputs(out.c_str(), stdout);

  if (args.csv) {
    const std::string csv = CsvText(results, ex);
    bool ok = ::fchmod(csvFd, 0644) == 0;
    for (size_t at = 0; ok && at < csv.size();) {
      const ssize_t n = ::write(csvFd, csv.data() + at, csv.size() - at);
      ok = n > 0;
      at += ok ? static_cast<size_t>(n) : 0;
    }
    ok = ok && ::fsync(csvFd) == 0;
    ok = ::close(csvFd) == 0 && ok;
    ok = ok && ::rename(csvTemp.c_str(), args.csv->c_str()) == 0;
    if (!ok) {
      const int err = errno;
      ::unlink(csvTemp.c_str());
      return Fail("impossibile scrivere " + *args.csv + ": " + velmora::italian::SystemError(err));
    }
  }
  return withErrors + unreadable == 0 ? kAllTranslated : kSomeFailed;
}

}  // namespace velmora
