// SPDX-License-Identifier: GPL-3.0-or-later
// The class grading: collecting the programs, reading them safely,
// translating, running and scoring each, in parallel.
#include "class_grading.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <map>
#include <memory>
#include <thread>

#include "file_write.h"
#include "gpsim_server.h"
#include "grade_report.h"
#include "italian_text.h"
#include "process.h"

namespace velmora {
namespace {

namespace fs = std::filesystem;
namespace tc = velmora::toolchain;

bool IsBasFile(const fs::path& p) {
  std::string ext = p.extension().string();
  for (char& c : ext) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return ext == ".bas";
}

std::string Upper(std::string s) {
  for (char& c : s) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return s;
}

// The .bas files under `folder` at any depth, in name order.
std::vector<std::string> BasFilesUnder(const fs::path& folder) {
  std::vector<std::string> found;
  std::error_code ec;
  for (fs::recursive_directory_iterator it(folder, fs::directory_options::skip_permission_denied, ec), end;
       !ec && it != end; it.increment(ec)) {
    std::error_code fileEc;
    if (IsBasFile(it->path()) && !it->is_directory(fileEc)) found.push_back(it->path().string());
  }
  std::sort(found.begin(), found.end());
  return found;
}

// "trovati: a.txt, b.bas.txt" for a folder without programs.
std::string FolderContents(const fs::path& folder) {
  std::vector<std::string> names;
  std::error_code ec;
  for (fs::recursive_directory_iterator it(folder, fs::directory_options::skip_permission_denied, ec), end;
       !ec && it != end; it.increment(ec)) {
    std::error_code fileEc;
    if (!it->is_directory(fileEc)) names.push_back(fs::relative(it->path(), folder, fileEc).string());
  }
  std::sort(names.begin(), names.end());
  if (names.empty()) return "nessun programma .bas nella cartella, che è vuota";
  std::string text = "nessun programma .bas nella cartella; trovati: ";
  for (size_t i = 0; i < names.size() && i < 5; ++i) text += (i ? ", " : "") + names[i];
  if (names.size() > 5) text += " e altri " + std::to_string(names.size() - 5);
  return text;
}

ProgramGrade Row(const std::string& path) {
  ProgramGrade g;
  g.path = path;
  return g;
}

// "<*> ERRORE : message ---istruzione--- statement" -> message and statement.
void SplitErrorBlock(const std::string& block, std::string& message, std::string& statement) {
  const auto flat = [](std::string text) {
    std::string out;
    for (char c : text) {
      if (c == '\r') continue;
      out += c == '\n' ? ' ' : c;
    }
    while (out.find("  ") != std::string::npos) out.replace(out.find("  "), 2, " ");
    while (!out.empty() && out.back() == ' ') out.pop_back();
    while (!out.empty() && out.front() == ' ') out.erase(0, 1);
    return out;
  };
  std::string text = block;
  const std::string head = "<*> ERRORE : ", mark = "---istruzione---";
  if (text.rfind(head, 0) == 0) text.erase(0, head.size());
  const auto at = text.find(mark);
  message = flat(at == std::string::npos ? text : text.substr(0, at));
  statement = at == std::string::npos ? "" : flat(text.substr(at + mark.size()));
}

// Writes `bytes` to `path` through a temporary file renamed over it; an
// Italian message when it fails (the target then is untouched).
std::string WriteFileAtomically(const std::string& path, const std::string& bytes) {
  if (tc::WriteFileAtomically(path, bytes)) return {};
  return "impossibile scrivere " + path + ": " + italian::SystemError(errno);
}

// Judges a finished run: the one place that decides a row's simulation.
void JudgeRun(const AssemblyRun& run, const Exercise& exercise, ProgramGrade& g) {
  g.checks.assign(exercise.checks.size(), {});
  if (!run.ok) {
    const bool tools = run.timedOut || run.toolMissing;
    g.simulation = tools ? SimulationOutcome::NotGraded : SimulationOutcome::Failed;
    std::string message, statement;
    SplitErrorBlock(run.error, message, statement);
    g.simulationError = message;
    return;
  }
  g.simulation = SimulationOutcome::Ran;
  if (run.stop)
    g.simulationStop = run.stop->explanation +
                       (run.stop->line > 0 ? " (riga " + std::to_string(run.stop->line) + ")" : std::string());
  const std::vector<std::uint64_t> moments = exercise.CheckCycles();
  g.score = 0;
  for (size_t i = 0; i < exercise.checks.size(); ++i) {
    const ExerciseCheck& check = exercise.checks[i];
    const ChipLines* lines = &run.lines;
    if (check.cycle) {
      const size_t k = static_cast<size_t>(std::find(moments.begin(), moments.end(), *check.cycle) - moments.begin());
      lines = k < run.atMoments.size() ? &run.atMoments[k] : nullptr;
    }
    if (lines)
      for (const auto& [name, value] : *lines)
        if (Upper(name) == check.name) g.checks[i].found = value;
    if (CheckPasses(check, g.checks[i].found)) g.checks[i].points = check.points;
    g.score += g.checks[i].points;
  }
}

void Simulate(const TranslationResult& t, const Exercise& exercise, ProgramGrade& g,
              std::chrono::milliseconds guard, const tc::GpsimServer* server) {
  tc::SimulationOptions options = exercise.options;
  options.timeLimit = guard;
  options.server = server;
  const AssemblyRun run =
      RunAssembly(t.assembly, ChipVariables(t.variables), options, exercise.CheckCycles(), exercise.changes,
                  t.assemblyLineSources);
  JudgeRun(run, exercise, g);
}

// Translates (and runs) one program; `collision` is why its output files
// must not be written (another program would write them too), or empty.
void GradeProgram(ProgramGrade& g, const GradingOptions& options, const std::string& collision,
                  const tc::GpsimServer* server) {
  std::string error;
  bool unreadable = false;
  const auto source = ReadProgramFile(g.path, kMaxSourceBytes, error, unreadable);
  TranslationResult t;
  if (!source) {
    g.outcome = unreadable ? Outcome::Unreadable : Outcome::Error;
    g.message = error;
  } else if (source->find_first_not_of(" \t\r\n\f\v") == std::string::npos) {
    g.outcome = Outcome::Error;
    g.message = "Il file è vuoto: non contiene alcuna istruzione";
  } else {
    TranslateOptions to;
    to.programPath = g.path;
    Translator translator;
    t = translator.Translate(*source, to);
    g.warnings = t.warnings;
    if (!t.ok) {
      g.outcome = Outcome::Error;
      if (!t.errors.empty()) {
        const auto trim = [](const std::string& text) {
          const auto first = text.find_first_not_of(" \t\r\n");
          return first == std::string::npos ? std::string()
                                            : text.substr(first, text.find_last_not_of(" \t\r\n") - first + 1);
        };
        g.message = trim(t.errors.front().message);
        g.statement = trim(t.errors.front().statement);
      }
      g.line = t.errorLine;
    } else {
      g.outcome = Outcome::Ok;
      g.translated = true;
      g.words = t.figures.words;
      g.variables = t.figures.variables;
      g.ram = t.figures.ramBytes;
      g.stack = t.figures.stackLevel;
      for (const DeclaredVariable& v : t.variables)
        if (!v.work) g.declared.push_back(Upper(v.name));
      if (options.exercise) Simulate(t, *options.exercise, g, options.exercise->options.timeLimit, server);
    }
  }
  if (options.write && g.outcome != Outcome::Unreadable) {
    std::string writeError = collision;
    if (writeError.empty() && g.outcome == Outcome::Ok)
      writeError = WriteFileAtomically(AssemblyPathFor(g.path), AssemblyFileBytes(t.assembly));
    if (writeError.empty())
      writeError = WriteFileAtomically(FeedbackPathFor(g.path), FeedbackText(g, options.exercise));
    if (!writeError.empty()) {
      g.outcome = Outcome::Error;
      g.message = writeError;
      g.statement.clear();
      g.line = 0;
    }
  }
  g.done = true;
}

// Output paths shared by more than one program, or equal to a program:
// the message for each program concerned (empty for the others).
std::vector<std::string> OutputCollisions(const std::vector<ProgramGrade>& rows) {
  std::map<std::string, std::vector<size_t>> writers;
  std::map<std::string, size_t> inputs;
  const auto key = [](const std::string& p) {
    std::error_code ec;
    const fs::path abs = fs::weakly_canonical(fs::absolute(p, ec), ec);
    return abs.lexically_normal().string();
  };
  for (size_t i = 0; i < rows.size(); ++i) {
    if (rows[i].outcome == Outcome::NoProgram) continue;
    inputs[key(rows[i].path)] = i;
    writers[key(AssemblyPathFor(rows[i].path))].push_back(i);
    writers[key(FeedbackPathFor(rows[i].path))].push_back(i);
  }
  std::vector<std::string> messages(rows.size());
  for (auto& [out, who] : writers) {
    std::sort(who.begin(), who.end());
    who.erase(std::unique(who.begin(), who.end()), who.end());
    const auto input = inputs.find(out);
    for (size_t i : who) {
      if (!messages[i].empty()) continue;
      if (input != inputs.end() && input->second != i) {
        messages[i] = "nessun file scritto: " + out + " è un altro programma della classe (" +
                      rows[input->second].path + ")";
      } else if (who.size() > 1) {
        const size_t other = who[0] == i ? who[1] : who[0];
        messages[i] = "nessun file scritto: " + rows[other].path + " scriverebbe lo stesso file " +
                      fs::path(out).filename().string();
      }
    }
  }
  return messages;
}

}  // namespace

const char* OutcomeName(Outcome o) {
  switch (o) {
    case Outcome::Ok: return "ok";
    case Outcome::Error: return "errore";
    case Outcome::Unreadable: return "illeggibile";
    case Outcome::NoProgram: return "mancante";
  }
  return "";
}

std::string SimulationText(const ProgramGrade& g) {
  switch (g.simulation) {
    case SimulationOutcome::NotRun: return "";
    case SimulationOutcome::Ran: return g.simulationStop.empty() ? "ok" : "fermata: " + g.simulationStop;
    case SimulationOutcome::Failed: return "errore: " + g.simulationError;
    case SimulationOutcome::NotGraded: return "non valutato: " + g.simulationError;
  }
  return "";
}

std::string AssemblyPathFor(const std::string& programPath) {
  fs::path p(programPath);
  return p.replace_extension(".asm").string();
}

std::string FeedbackPathFor(const std::string& programPath) {
  fs::path p(programPath);
  return p.replace_extension(".esito.txt").string();
}

std::vector<ProgramGrade> CollectPrograms(const std::vector<std::string>& paths) {
  std::vector<ProgramGrade> rows;
  std::set<std::string> seen;
  const auto add = [&](const std::string& path) {
    std::error_code ec;
    const std::string key = fs::weakly_canonical(fs::absolute(path, ec), ec).lexically_normal().string();
    if (seen.insert(key.empty() ? path : key).second) rows.push_back(Row(path));
  };
  for (const std::string& path : paths) {
    std::error_code ec;
    if (!fs::is_directory(path, ec)) {
      add(path);
      continue;
    }
    // A folder of students' folders (no program of its own): a subfolder
    // without programs gets its row, in name order among the files.
    std::vector<std::pair<std::string, std::string>> entries;  // (sort key, path); path empty: a file
    for (const std::string& file : BasFilesUnder(path)) entries.emplace_back(file, "");
    bool programsOfItsOwn = false;
    for (fs::directory_iterator it(path, fs::directory_options::skip_permission_denied, ec), end;
         !ec && it != end; it.increment(ec)) {
      std::error_code fileEc;
      programsOfItsOwn = programsOfItsOwn || (IsBasFile(it->path()) && !it->is_directory(fileEc));
    }
    for (fs::directory_iterator it(path, fs::directory_options::skip_permission_denied, ec), end;
         !programsOfItsOwn && !ec && it != end; it.increment(ec)) {
      std::error_code dirEc;
      if (!it->is_directory(dirEc) || it->path().filename().string().rfind('.', 0) == 0) continue;
      if (BasFilesUnder(it->path()).empty()) entries.emplace_back(it->path().string(), it->path().string());
    }
    std::sort(entries.begin(), entries.end());
    for (const auto& [name, folder] : entries) {
      if (folder.empty()) {
        add(name);
      } else {
        ProgramGrade g = Row(folder);
        g.outcome = Outcome::NoProgram;
        g.message = FolderContents(folder);
        g.done = true;
        rows.push_back(g);
      }
    }
  }
  return rows;
}

std::string MissingTools(const GradingOptions& options) {
  if (!options.exercise) return {};
  for (const char* tool : {"gpasm", "gpsim"})
    if (tc::FindTool(tool).empty()) return tc::MissingToolMessage(tool);
  return {};
}

std::optional<std::string> ReadProgramFile(const std::string& path, size_t limit, std::string& error,
                                           bool& unreadable) {
  unreadable = true;
  // O_NONBLOCK: opening a FIFO must not wait for a writer; nothing but a
  // regular file is read.
  const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
  if (fd < 0) {
    error = std::string("impossibile leggere il file: ") + italian::SystemError(errno);
    return std::nullopt;
  }
  struct stat info {};
  if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
    const bool folder = S_ISDIR(info.st_mode);
    ::close(fd);
    error = folder ? "impossibile leggere il file: è una cartella"
                   : "impossibile leggere il file: non è un file normale (dispositivo, FIFO o socket)";
    return std::nullopt;
  }
  if (static_cast<std::uint64_t>(info.st_size) > limit) {
    ::close(fd);
    unreadable = false;
    error = "Il file è troppo grande per essere un programma BASIC: " + std::to_string(info.st_size) +
            " byte (al massimo " + std::to_string(limit) + ")";
    return std::nullopt;
  }
  std::string bytes;
  char buffer[65536];
  for (;;) {  // a file that grows while it is read stops at the limit
    const ssize_t n = ::read(fd, buffer, sizeof buffer);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) {
      const int err = errno;
      ::close(fd);
      error = std::string("impossibile leggere il file: ") + italian::SystemError(err);
      return std::nullopt;
    }
    if (n == 0) break;
    bytes.append(buffer, static_cast<size_t>(n));
    if (bytes.size() > limit) break;
  }
  ::close(fd);
  unreadable = false;
  if (bytes.size() > limit) {
    error = "Il file è troppo grande per essere un programma BASIC: più di " + std::to_string(limit) +
            " byte (al massimo " + std::to_string(limit) + ")";
    return std::nullopt;
  }
  return bytes;
}

ClassGrading GradeClass(const std::vector<std::string>& paths, const GradingOptions& options) {
  ClassGrading result;
  result.programs = CollectPrograms(paths);
  std::vector<ProgramGrade>& rows = result.programs;
  const std::vector<std::string> collisions = options.write ? OutputCollisions(rows) : std::vector<std::string>(rows.size());
  std::atomic<size_t> next{0}, done{0};
  const unsigned cores = std::max(1u, std::thread::hardware_concurrency());
  const size_t jobs = std::min<size_t>(options.jobs ? options.jobs : cores, std::max<size_t>(rows.size(), 1));
  const auto cancelled = [&] { return options.cancel && options.cancel->load(); };
  // One started gpsim for the class: each program runs on a copy of it,
  // which reads what a new gpsim would (see gpsim_server.h).
  std::unique_ptr<tc::GpsimServer> server;
  if (options.exercise && rows.size() > 1) {
    std::string modulePath = options.exercise->options.modulePath, error;
    if (modulePath.empty()) modulePath = tc::VelmoraModulePath();
    if (const std::string gpsim = tc::FindTool("gpsim"); !modulePath.empty() && !gpsim.empty())
      server = tc::GpsimServer::Start(gpsim, modulePath, error);
  }
  {
    std::vector<std::jthread> workers;
    for (size_t w = 0; w < jobs; ++w)
      workers.emplace_back([&] {
        for (size_t i = next++; i < rows.size() && !cancelled(); i = next++) {
          if (!rows[i].done) GradeProgram(rows[i], options, collisions[i], server.get());
          const size_t n = ++done;
          if (options.progress) options.progress(n, rows.size());
        }
      });
  }
  // A run stopped by the guard is tried once more with nothing else running
  // and twice the time, so that a busy machine does not cost a grade.
  if (options.exercise)
    for (ProgramGrade& g : rows) {
      if (cancelled() || g.simulation != SimulationOutcome::NotGraded) continue;
      std::string error;
      bool unreadable = false;
      const auto source = ReadProgramFile(g.path, kMaxSourceBytes, error, unreadable);
      if (!source) continue;
      TranslateOptions to;
      to.programPath = g.path;
      Translator translator;
      const TranslationResult t = translator.Translate(*source, to);
      if (t.ok) Simulate(t, *options.exercise, g, 2 * options.exercise->options.timeLimit, nullptr);
      if (options.write && g.outcome == Outcome::Ok)
        if (const std::string e = WriteFileAtomically(FeedbackPathFor(g.path), FeedbackText(g, options.exercise)); !e.empty()) {
          g.outcome = Outcome::Error;
          g.message = e;
        }
    }
  result.cancelled = cancelled();
  if (options.exercise) {
    std::set<std::string> declared;
    for (const ProgramGrade& g : rows) declared.insert(g.declared.begin(), g.declared.end());
    result.unknownNames = ChecksOnUnknownNames(*options.exercise, declared);
  }
  return result;
}

}  // namespace velmora
