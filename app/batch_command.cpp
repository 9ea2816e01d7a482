// SPDX-License-Identifier: GPL-3.0-or-later
// velmorac --batch [--jobs N] [--csv OUT.csv] [--check EXERCISE] [--write]
//                  [--summary FILE.txt] [--] PATH...
//
// The command line around the class grading (grading/): it reads the
// options and the exercise, makes sure the tools a check needs are there,
// opens the output files before any program runs, grades, prints one row
// per program and the class summary, and writes the CSV and the summary.
// The CSV and the summary are written through temporary files beside them,
// opened at the start and renamed at the end, so a path that cannot be
// written stops the batch at once and a stopped batch (an error, Ctrl+C, a
// kill) leaves no half-written file: a signal handler removes the
// temporary files before the signal ends the program.
#include "batch_command.h"

#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cctype>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "class_grading.h"
#include "exercise.h"
#include "file_write.h"
#include "grade_report.h"
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
  std::optional<std::string> csv, check, summary;
  bool write = false;
  std::vector<std::string> paths;
};

int Fail(const std::string& message) {
  std::fprintf(stderr, "velmorac: %s\n", SafeText(message).c_str());
  return kCommandError;
}

int UsageError(const std::string& message) {
  Fail(message);
  std::fprintf(stderr,
               "Uso: velmorac --batch [--jobs N] [--csv FILE.csv] [--check ESERCIZIO] [--write] "
               "[--summary FILE.txt] [--] PERCORSO...\n");
  return kCommandError;
}

std::optional<int> ParseArguments(int argc, char** argv, BatchArguments& a) {
  bool optionsEnded = false;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    const auto value = [&]() -> std::optional<std::string> {
      if (i + 1 >= argc) return std::nullopt;
      return std::string(argv[++i]);
    };
    if (optionsEnded) {
      a.paths.push_back(arg);
    } else if (arg == "--") {
      optionsEnded = true;
    } else if (arg == "--batch") {
      continue;
    } else if (arg == "--write") {
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
    } else if (arg == "--summary") {
      a.summary = value();
      if (!a.summary || a.summary->empty()) return UsageError("--summary richiede il percorso del file del riepilogo");
    } else if (arg == "--check") {
      a.check = value();
      if (!a.check || a.check->empty()) return UsageError("--check richiede il file dell'esercizio");
    } else if (arg.size() > 1 && arg[0] == '-') {
      return UsageError("opzione sconosciuta con --batch: " + arg +
                        " (per un file il cui nome inizia con '-' scrivere -- prima dei file)");
    } else {
      a.paths.push_back(arg);
    }
  }
  if (a.paths.empty()) return UsageError("--batch richiede almeno un file o una cartella");
  return std::nullopt;
}

// The temporary files of the outputs, removed by a signal that ends the
// program. Plain arrays: the handler may only make async-signal-safe calls.
constexpr int kMaxTemps = 2;
char gTemps[kMaxTemps][4096];

extern "C" void RemoveTempsAndDie(int signal) {
  for (auto& temp : gTemps)
    if (temp[0]) ::unlink(temp);
  ::signal(signal, SIG_DFL);
  ::raise(signal);
}

// An output written through a temporary file beside it.
class PendingFile {
 public:
  // Creates the temporary file; an Italian message when it cannot.
  std::string Open(const std::string& path, int slot) {
    path_ = path;
    slot_ = slot;
    std::error_code ec;
    if (fs::is_directory(path, ec)) return "impossibile scrivere " + path + ": è una cartella";
    temp_ = velmora::toolchain::TemporaryPatternFor(path);
    if (temp_.size() >= sizeof gTemps[0]) return "impossibile scrivere " + path + ": percorso troppo lungo";
    // Registered before the file exists, so that no signal can leave it behind.
    sigset_t all, old;
    sigfillset(&all);
    pthread_sigmask(SIG_BLOCK, &all, &old);
    fd_ = ::mkstemp(temp_.data());
    const int err = errno;
    if (fd_ >= 0) std::memcpy(gTemps[slot], temp_.c_str(), temp_.size() + 1);
    pthread_sigmask(SIG_SETMASK, &old, nullptr);
    if (fd_ < 0) return "impossibile scrivere " + path + ": " + italian::SystemError(err);
    return {};
  }
  // Writes `bytes` and renames the file over its target.
  std::string Commit(const std::string& bytes) {
    const bool ok = velmora::toolchain::CommitTemporary(fd_, temp_, path_, bytes);
    const int err = errno;
    fd_ = -1;
    Forget(false);
    return ok ? std::string() : "impossibile scrivere " + path_ + ": " + italian::SystemError(err);
  }
  ~PendingFile() {
    if (fd_ >= 0) ::close(fd_);
    if (!temp_.empty()) Forget(true);
  }

 private:
  void Forget(bool remove) {
    if (remove) ::unlink(temp_.c_str());
    gTemps[slot_][0] = '\0';
    temp_.clear();
  }
  std::string path_, temp_;
  int slot_ = 0;
  int fd_ = -1;
};

void ShowProgress(size_t done, size_t total) {
  constexpr int kWidth = 30;
  const int filled = total ? static_cast<int>(done * kWidth / total) : kWidth;
  std::fprintf(stderr, "\r[%s%s] %zu/%zu", std::string(static_cast<size_t>(filled), '#').c_str(),
               std::string(static_cast<size_t>(kWidth - filled), '-').c_str(), done, total);
  std::fflush(stderr);
}

std::string ToCrLf(const std::string& text) {
  std::string out;
  for (char c : text) out += c == '\n' ? std::string("\r\n") : std::string(1, c);
  return out;
}

}  // namespace

bool IsBatchCommand(int argc, char** argv) {
  for (int i = 1; i < argc && std::strcmp(argv[i], "--") != 0; ++i)
    if (std::strcmp(argv[i], "--batch") == 0) return true;
  return false;
}

int BatchCommand(int argc, char** argv) {
  BatchArguments args;
  if (const auto status = ParseArguments(argc, argv, args)) return *status;

  std::optional<Exercise> exercise;
  if (args.check) {
    std::string readError;
    bool unreadable = false;
    const auto text = ReadProgramFile(*args.check, 1024 * 1024, readError, unreadable);
    if (!text) {
      const std::string prefix = "impossibile leggere il file: ";
      if (readError.rfind(prefix, 0) == 0) readError.erase(0, prefix.size());
      return Fail("impossibile leggere l'esercizio " + *args.check + ": " + readError);
    }
    std::string error;
    exercise = ParseExercise(*text, error);
    if (!exercise) return Fail(*args.check + (std::isdigit(static_cast<unsigned char>(error[0])) ? ":" : ": ") + error);
  }
  GradingOptions options;
  options.jobs = args.jobs;
  options.exercise = exercise ? &*exercise : nullptr;
  options.write = args.write;
  if (const std::string missing = MissingTools(options); !missing.empty()) return Fail(missing);

  for (int s : {SIGINT, SIGTERM, SIGHUP, SIGQUIT}) {
    struct sigaction action {};
    action.sa_handler = RemoveTempsAndDie;
    sigemptyset(&action.sa_mask);
    ::sigaction(s, &action, nullptr);
  }
  PendingFile csvFile, summaryFile;
  if (args.csv)
    if (const std::string e = csvFile.Open(*args.csv, 0); !e.empty()) return Fail(e);
  if (args.summary)
    if (const std::string e = summaryFile.Open(*args.summary, 1); !e.empty()) return Fail(e);

  std::atomic<size_t> done{0}, total{0};
  options.progress = [&](size_t n, size_t of) {
    total = of;
    done = n;
  };
  std::atomic<bool> finished{false};
  std::thread bar;
  if (::isatty(STDERR_FILENO))
    bar = std::thread([&] {
      while (!finished) {
        if (total > 0) ShowProgress(done, total);
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
      }
    });
  const ClassGrading grading = GradeClass(args.paths, options);
  finished = true;
  if (bar.joinable()) {
    bar.join();
    ShowProgress(grading.programs.size(), grading.programs.size());
    std::fputs("\n", stderr);  // the finished bar stays above the rows
  }

  for (const ExerciseCheck& c : grading.unknownNames)
    std::fprintf(stderr,
                 "velmorac: %s:%d: avviso: %s non è un registro né una variabile di alcun programma della "
                 "classe: la verifica non può riuscire\n",
                 SafeText(*args.check).c_str(), c.line, SafeText(c.name).c_str());

  std::string out;
  bool failures = false;
  for (const ProgramGrade& g : grading.programs) {
    out += RowLine(g, options.exercise) + "\n";
    for (const SourceMessage& w : g.warnings)
      out += SafeText(g.path + (w.line > 0 ? ":" + std::to_string(w.line) : "") + ": avviso: " + w.message) + "\n";
    failures = failures || g.outcome != Outcome::Ok || g.simulation == SimulationOutcome::NotGraded;
  }
  const std::string summary = ClassSummaryText(grading, options.exercise);
  out += summary.substr(summary.find('\n') + 1);  // the summary without its title
  std::fputs(out.c_str(), stdout);
  std::fflush(stdout);

  if (args.csv)
    if (const std::string e = csvFile.Commit(CsvText(grading, options.exercise)); !e.empty()) return Fail(e);
  if (args.summary)
    if (const std::string e = summaryFile.Commit(ToCrLf(summary)); !e.empty()) return Fail(e);
  return failures ? kSomeFailed : kAllTranslated;
}

}  // namespace velmora
