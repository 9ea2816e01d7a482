// SPDX-License-Identifier: GPL-3.0-or-later
// velmorac, the command-line translator: the same translation as the
// window's Translate button, for batch use, Makefiles and tests.
//
//   velmorac [-q] [--annotate] [--words] [-o PATH] FILE.bas
//                                      translate FILE.bas into FILE.asm (or PATH)
//   velmorac --def [PATH]              write PIC16F84.DEF
//   velmorac --assemble [-o PATH] FILE.bas
//                                      also assemble it with gpasm: FILE.asm,
//                                      FILE.hex, FILE.cod, FILE.lst
//
// The assembly file holds the bytes the window's "Salva" writes for the
// assembly pane. Console texts (report, error block) are printed with the
// terminal's LF line ends. Files are written through a temporary file in the
// target's folder that is then renamed over the target, so a failed write
// never leaves a half-written file behind.
//
// Errors and warnings are also given one line each on standard error in the
// form editors read, "FILE.bas:N: errore: MESSAGE" and "FILE.bas:N: avviso:
// MESSAGE" (without ":N" when the message belongs to no line): an error's
// line comes before the unchanged error block.
//
// Exit status: 0 done, 1 the program has a translation error (the error
// block is on standard error, no file is written) or, with --assemble, gpasm
// found errors in it, 2 the command could not be carried out (unreadable
// input, unwritable output, bad options, gpasm missing, crashed or hung).
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "assemble_command.h"
#include "assembler_diagnostics.h"
#include "batch_command.h"
#include "file_write.h"
#include "simulate_command.h"
#include "italian_text.h"
#include "translator.h"

#ifndef VELMORA_VERSION
#define VELMORA_VERSION "0"
#endif

namespace {

constexpr int kOk = 0;
constexpr int kTranslationError = 1;
constexpr int kCommandError = 2;

const char* const kUsage =
    "Uso: velmorac [-q] [--annotate] [--words] [-o PERCORSO] FILE.bas\n"
    "     velmorac --def [PERCORSO]\n"
    "     velmorac --assemble [-q] [--annotate] [-o PERCORSO] FILE.bas\n"
    "     velmorac --simulate CICLI [--pin A0=1 ...] [--watchdog] [--stimoli FILE]\n"
    "              [--vcd FILE.vcd] [--bus NOME ...] FILE.bas\n"
    "     velmorac --batch [--jobs N] [--csv FILE.csv] [--check ESERCIZIO] [--write]\n"
    "                      [--summary FILE.txt] [--] PERCORSO...\n"
    "\n"
    "Traduce un programma Basic per il PIC16F84 nel sorgente assembly, scritto\n"
    "in FILE.asm accanto al programma.\n"
    "\n"
    "Traduzione:\n"
    "  -o, --output PERCORSO\n"
    "                 scrive l'assembly in PERCORSO invece che in FILE.asm; con\n"
    "                 -o - lo scrive sullo standard output e il resoconto passa\n"
    "                 sullo standard error\n"
    "  -q, --quiet    non stampa il resoconto della traduzione\n"
    "  --annotate     prima del codice di ogni riga Basic scrive nell'assembly il\n"
    "                 commento \"; BASIC N: testo della riga\"\n"
    "  --words        dopo il resoconto elenca le word di programma di ogni riga\n"
    "                 Basic e le cinque righe che ne usano di più\n"
    "  -a, --assemble assembla anche il programma con gpasm: scrive FILE.asm,\n"
    "                 FILE.hex, FILE.cod e FILE.lst (con PIC16F84.DEF) accanto al\n"
    "                 programma, o nella cartella o col nome dati da -o; gli errori\n"
    "                 di gpasm compaiono sulla riga Basic, in italiano\n"
    "  --def [PERCORSO]\n"
    "                 scrive il file delle definizioni PIC16F84.DEF nella cartella\n"
    "                 corrente, nella cartella PERCORSO o nel file PERCORSO\n"
    "\n"
    "Simulazione (gpasm e gpsim):\n"
    "  --simulate CICLI\n"
    "                 traduce, assembla ed esegue il programma su gpsim per CICLI\n"
    "                 cicli di istruzione (o fino a SLEEP), poi stampa variabili,\n"
    "                 porte, W, cicli e SLEEP\n"
    "  --pin LINEA=LIVELLO\n"
    "                 con --simulate tiene l'ingresso LINEA (A0-A4, B0-B7) a 1 o\n"
    "                 a 0 per tutta l'esecuzione; si ripete per ogni linea\n"
    "  --watchdog     con --simulate accende il watchdog\n"
    "  --stimoli FILE con --simulate: cambia le linee d'ingresso nei momenti\n"
    "                 scritti nel file (per esempio t=10ms A0=1, ciclo=5000 B0=0)\n"
    "  --vcd FILE.vcd con --simulate: registra ogni cambio delle 13 linee in un\n"
    "                 file VCD (RA0-RA4, RB0-RB7; un ciclo = 1 µs a 4 MHz)\n"
    "  --bus NOME     con --vcd: registra anche la variabile di un byte NOME, come\n"
    "                 segnale a 8 bit (ripetibile)\n"
    "\n"
    "Correzione di una classe:\n"
    "  --batch PERCORSO...\n"
    "                 traduce tutti i file .bas dei file e delle cartelle indicati\n"
    "                 e stampa una riga di esito per file e i conteggi\n"
    "  -j, --jobs N   con --batch traduce N programmi alla volta (da 1 a 256)\n"
    "  --csv FILE.csv con --batch scrive anche i risultati in un file CSV\n"
    "  --check ESERCIZIO\n"
    "                 con --batch esegue ogni programma tradotto e gli dà un\n"
    "                 punteggio secondo il file dell'esercizio\n"
    "  --write        con --batch scrive anche FILE.asm accanto a ogni programma\n"
    "  --summary FILE.txt\n"
    "                 con --batch scrive anche il riepilogo della classe (media,\n"
    "                 distribuzione dei punteggi, errori raggruppati)\n"
    "\n"
    "  -h, --help     mostra questo aiuto\n"
    "  --version      mostra la versione\n"
    "\n"
    "Opzioni e argomenti in qualunque ordine; -- termina le opzioni (per un file\n"
    "il cui nome inizia con un trattino).\n"
    "\n"
    "Codice di uscita: 0 riuscita, 1 errore nel programma Basic (il messaggio va\n"
    "sullo standard error e nessun file viene scritto; con --assemble: errori di\n"
    "gpasm; con --batch: almeno un programma con errore o illeggibile), 2 comando\n"
    "non eseguibile (file illeggibile, scrittura impossibile, opzioni errate,\n"
    "strumento mancante o fallito).\n"
    "Errori e avvisi compaiono anche come FILE.bas:RIGA: errore|avviso: messaggio.\n"
    "Il manuale completo: man velmorac.\n";

struct Options {
  bool help = false;
  bool version = false;
  bool quiet = false;
  bool def = false;
  bool annotate = false;
  bool words = false;
  bool assemble = false;
  std::optional<std::string> output;
  std::vector<std::string> paths;  // positional arguments
};

// A message on standard error, one line, prefixed with the program's name.
void Fail(const std::string& message) { std::fprintf(stderr, "velmorac: %s\n", message.c_str()); }

int UsageError(const std::string& message) {
  Fail(message);
  std::fprintf(stderr, "Usare velmorac --help per l'elenco delle opzioni.\n");
  return kCommandError;
}

// Console form of a pane text: LF line ends and a final line end.
std::string ForConsole(const std::string& crlfText) {
  std::string out;
  for (size_t i = 0; i < crlfText.size(); ++i) {
    if (crlfText[i] == '\r' && i + 1 < crlfText.size() && crlfText[i + 1] == '\n') continue;
    out += crlfText[i];
  }
  if (out.empty() || out.back() != '\n') out += '\n';
  return out;
}

// Reads a whole file; empty optional (errno set) when it cannot be read.
std::optional<std::string> ReadFile(const std::string& path) {
  struct stat info {};
  if (::stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode)) {
    errno = EISDIR;
    return std::nullopt;
  }
  std::FILE* f = std::fopen(path.c_str(), "rb");
  if (!f) return std::nullopt;
  std::string bytes;
  char buf[65536];
  size_t n;
  while ((n = std::fread(buf, 1, sizeof buf, f)) > 0) bytes.append(buf, n);
  const bool failed = std::ferror(f) != 0;
  const int err = errno;
  std::fclose(f);
  if (failed) {
    errno = err;
    return std::nullopt;
  }
  return bytes;
}

std::string NameOf(const std::string& path) {
  const auto slash = path.find_last_of('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

bool IsFolder(const std::string& path) {
  struct stat info {};
  return ::stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

// FILE.bas -> FILE.asm (the extension, whatever it is, is replaced).
std::string DefaultOutput(const std::string& input) {
  const std::string name = NameOf(input);
  const auto dot = name.find_last_of('.');
  if (dot == std::string::npos || dot == 0) return input + ".asm";
  return input.substr(0, input.size() - (name.size() - dot)) + ".asm";
}

// Options and positional arguments in any order; "--" ends the options.
// Returns an exit status when the command line is wrong.
std::optional<int> ParseArguments(int argc, char** argv, Options& o) {
  bool optionsEnded = false;
  for (int i = 1; i < argc; ++i) {
    const std::string a = argv[i];
    if (optionsEnded || a == "-" || a.empty() || a[0] != '-') {
      o.paths.push_back(a);
      continue;
    }
    if (a == "--") {
      optionsEnded = true;
    } else if (a == "--help" || a == "-h") {
      o.help = true;
    } else if (a == "--version") {
      o.version = true;
    } else if (a == "-q" || a == "--quiet") {
      o.quiet = true;
    } else if (a == "--annotate") {
      o.annotate = true;
    } else if (a == "--words") {
      o.words = true;
    } else if (a == "-a" || a == "--assemble") {
      o.assemble = true;
    } else if (a == "--def") {
      o.def = true;
    } else if (a.rfind("--def=", 0) == 0) {
      o.def = true;
      o.paths.push_back(a.substr(6));
    } else if (a == "-o" || a == "--output") {
      if (i + 1 >= argc) return UsageError("l'opzione " + a + " richiede un percorso");
      if (o.output) return UsageError("l'opzione -o è ripetuta");
      o.output = argv[++i];
    } else if (a.rfind("-o", 0) == 0 && a.size() > 2) {
      if (o.output) return UsageError("l'opzione -o è ripetuta");
      o.output = a.substr(2);
    } else {
      return UsageError("opzione sconosciuta: " + a);
    }
  }
  return std::nullopt;
}

int WriteDefinitions(const Options& o) {
  if (o.output) return UsageError("--def non accetta l'opzione -o: il percorso segue --def");
  if (o.paths.size() > 1) return UsageError("--def accetta al più un percorso");
  std::string path = o.paths.empty() ? "." : o.paths[0];
  if (path.empty()) return UsageError("percorso vuoto per --def");
  if (IsFolder(path)) path += (path.back() == '/' ? "" : "/") + std::string("PIC16F84.DEF");
  if (!velmora::toolchain::WriteFileAtomically(path, velmora::DefinitionsFileBytes())) {
    Fail("impossibile scrivere " + path + ": " + velmora::italian::SystemError(errno));
    return kCommandError;
  }
  return kOk;
}

// "FILE.bas:N: kind: message", or "FILE.bas: kind: message" for no line.
void PrintLocated(const std::string& file, const velmora::SourceMessage& m, const char* kind) {
  const std::string where = m.line > 0 ? file + ":" + std::to_string(m.line) : file;
  std::fprintf(stderr, "%s: %s: %s\n", where.c_str(), kind, m.message.c_str());
}

// The words of each BASIC line that produced code, then the five costliest
// (most words first, the earlier line first among equals).
std::string WordsTable(const velmora::TranslationResult& r, const std::vector<std::string>& texts) {
  const auto row = [&](const velmora::LineWords& w) {
    char head[32];
    std::snprintf(head, sizeof head, "%6d %6d  ", w.line, w.words);
    const auto k = static_cast<size_t>(w.line);
    return std::string(head) + (k >= 1 && k <= texts.size() ? texts[k - 1] : std::string()) + "\n";
  };
  std::string out = "Word di programma per riga Basic\n  riga   word  istruzione\n";
  for (const auto& w : r.words) out += row(w);
  std::vector<velmora::LineWords> costliest = r.words;
  std::stable_sort(costliest.begin(), costliest.end(),
                   [](const velmora::LineWords& a, const velmora::LineWords& b) { return a.words > b.words; });
  if (costliest.size() > 5) costliest.resize(5);
  out += "Le righe che usano più word\n  riga   word  istruzione\n";
  for (const auto& w : costliest) out += row(w);
  return out;
}

int TranslateFile(const Options& o) {
  if (o.paths.empty()) return UsageError("manca il file Basic da tradurre");
  if (o.paths.size() > 1) return UsageError("si traduce un solo file per volta");
  const std::string input = o.paths[0];
  if (o.output && o.output->empty()) return UsageError("percorso vuoto per -o");
  const bool toStdout = o.output && *o.output == "-";
  if (o.assemble && toStdout) return UsageError("--assemble scrive file: -o - non è ammesso");
  const velmora::AssembleTarget target = velmora::AssembleTargetFor(input, o.output.value_or(""));
  const std::string output =
      o.assemble ? target.folder + "/" + target.name + ".asm" : o.output ? *o.output : DefaultOutput(input);
  if (!toStdout && output == input)
    return UsageError("il file assembly " + output + " coinciderebbe con il file Basic");

  const auto source = ReadFile(input);
  if (!source) {
    Fail("impossibile leggere " + input + ": " + velmora::italian::SystemError(errno));
    return kCommandError;
  }

  velmora::Translator translator;
  velmora::TranslateOptions options;
  options.programPath = input;
  const velmora::TranslationResult r = translator.Translate(*source, options);
  for (const auto& w : r.warnings) PrintLocated(input, w, "avviso");
  if (!r.ok) {
    for (const auto& e : r.errors) PrintLocated(input, e, "errore");
    std::fputs(ForConsole(r.assembly).c_str(), stderr);
    return kTranslationError;
  }

  const std::string text = o.annotate ? velmora::AnnotatedAssembly(r, *source) : r.assembly;
  const std::string bytes = velmora::AssemblyFileBytes(text);
  if (o.assemble) {
    const int status = velmora::AssembleTranslated(
        input, target, text, o.annotate ? velmora::toolchain::AnnotatedLineSources(text, r) : r.assemblyLineSources,
        o.quiet);
    if (status != kOk) return status;
  } else if (toStdout) {
    if (!velmora::toolchain::WriteAll(STDOUT_FILENO, bytes)) {
      Fail(std::string("impossibile scrivere sullo standard output: ") + velmora::italian::SystemError(errno));
      return kCommandError;
    }
  } else if (!velmora::toolchain::WriteFileAtomically(output, bytes)) {
    Fail("impossibile scrivere " + output + ": " + velmora::italian::SystemError(errno));
    return kCommandError;
  }
  std::FILE* console = toStdout ? stderr : stdout;
  if (!o.quiet) std::fputs(ForConsole(r.report).c_str(), console);
  if (o.words) std::fputs(WordsTable(r, velmora::SourceLines(*source)).c_str(), console);
  return kOk;
}

}  // namespace

int main(int argc, char** argv) {
  if (velmora::IsBatchCommand(argc, argv)) return velmora::BatchCommand(argc, argv);
  if (velmora::IsSimulateCommand(argc, argv)) return velmora::SimulateCommand(argc, argv);
  Options o;
  if (const auto status = ParseArguments(argc, argv, o)) return *status;
  if (o.help) {
    std::fputs(kUsage, stdout);
    return kOk;
  }
  if (o.version) {
    std::printf("velmorac %s\n", VELMORA_VERSION);
    return kOk;
  }
  if (o.def && o.assemble) return UsageError("--def e --assemble non vanno insieme");
  return o.def ? WriteDefinitions(o) : TranslateFile(o);
}
