// The translator's public face: what the desktop program and velmorac use.
//
// Takes the BASIC source as it comes from a file or the editor (UTF-8, or
// Windows-1252 when it is not valid UTF-8; any line ends), runs the passes and
// hands back UTF-8 texts with CR LF line ends. Also here: the bytes of the
// files the program writes, the source decoding the editor shares with the
// translator, the definitions file and the author credit. The passes' shared
// state stays behind CompileState, which only the debug dump and the tests
// look into (compile_state.h).
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace velmora {

struct CompileState;

struct TranslateOptions {
  // Path of the BASIC file being translated (the window's current file), UTF-8;
  // empty when none. Its name heads the report.
  std::string programPath;
  // Decimal separator of the report's percentages (the system's).
  char decimalSeparator = '.';
};

// A message tied to a line of the BASIC source (1-based, as the user wrote
// the file; 0: tied to no line), UTF-8.
struct SourceMessage {
  int line = 0;
  std::string message;
  // For an error: the statement it was reported on, as the error block shows
  // it after "---istruzione---" (empty when the block names none).
  std::string statement;
};

// The figures of a finished translation, as the report shows them.
struct ProgramFigures {
  int words = 0;           // program memory words after ORG
  int maxWords = 1024;     // program memory of the chip
  int variables = 0;       // rows of the variable table, work bytes included
  int ramBytes = 0;        // bytes of the declared variables
  int maxRamBytes = 68;    // general-purpose RAM of the chip
  int stackLevel = 0;      // the report's stack level (deepest SUB chain + 1)
};

// A row of the variable table with the address its equate gives it.
struct DeclaredVariable {
  std::string name;   // as declared (upper case); "W#..." for the translator's work bytes
  int address = 0;    // RAM address of its first byte
  std::string type;   // the type word written after " AS " (BYTE, WORD, ...)
  int size = 1;       // bytes
  bool work = false;  // a work byte of the translator, not declared by the program
};

// The program words one BASIC line produced.
struct LineWords {
  int line = 0;
  int words = 0;
};

struct TranslationResult {
  bool ok = false;
  // The assembly pane text: the assembly source, or the error block.
  std::string assembly;
  // The six-line report; empty after an error. It is rendered from `figures`.
  std::string report;
  // The report's figures (all zero after an error).
  ProgramFigures figures;
  // The variable table in address order, with the translator's work bytes
  // (empty after an error).
  std::vector<DeclaredVariable> variables;
  // The source did not end with a line end: the editor appends CR LF.
  bool finalLineEndAdded = false;

  // Source line of the statement the first error was reported on (0: none).
  int errorLine = 0;
  // Each error block: the source line and the first line of its message.
  std::vector<SourceMessage> errors;
  // Statements translated as the dialect defines them into code that will not
  // do on the chip what they say (the output is unchanged).
  std::vector<SourceMessage> warnings;
  // For each line of `assembly` (index 0 is line 1), the BASIC line it was
  // generated from; 0 for the lines of no statement (header, equates,
  // start-up, interrupt save and restore, runtime routines, DATA table).
  // Empty after an error.
  std::vector<int> assemblyLineSources;
  // The words of program memory each BASIC line produced, in line order,
  // for the lines that produced any.
  std::vector<LineWords> words;
};

// Before any pass runs, the source is refused with an error block (and no
// pass runs) when it is not a program text a student could have written:
// a NUL byte, a line longer than kMaxSourceLineLength characters, or more
// than kMaxSourceBytes bytes. Everything else goes to Translate.
inline constexpr size_t kMaxSourceBytes = 512 * 1024;
inline constexpr int kMaxSourceLineLength = 2000;

// One translation into `st`, which keeps the tables and program lines it
// left behind until the next one.
TranslationResult TranslateText(CompileState& st, std::string_view source,
                                const TranslateOptions& options);

// A translator that keeps the compile state of its last translation, for the
// desktop program's debug window.
class Translator {
 public:
  Translator();
  ~Translator();
  Translator(const Translator&) = delete;
  Translator& operator=(const Translator&) = delete;

  TranslationResult Translate(std::string_view source, const TranslateOptions& options);
  // The state the last translation left (a fresh one before the first).
  const CompileState& State() const { return *state_; }

 private:
  std::unique_ptr<CompileState> state_;
};

// ---- Source lines ----

// The lines of a source (the same text given to TranslateText) as the
// translator numbers them: index 0 is line 1; UTF-8, blanks trimmed.
std::vector<std::string> SourceLines(std::string_view source);

// The assembly of a successful translation with a comment line
// "; BASIC N: TEXT" before the first instruction of every run of lines
// generated from BASIC line N (TEXT as SourceLines gives it). Removing the
// comment lines gives the assembly back unchanged.
std::string AnnotatedAssembly(const TranslationResult& result, std::string_view source);

// ---- Files ----

// A source file's bytes as the editor shows them, UTF-8: kept as they are
// when valid UTF-8 (a leading byte-order mark dropped), read as Windows-1252
// otherwise. Line ends are left as they are.
std::string SourceTextUtf8(std::string_view bytes);

// The bytes "Salva" writes for an assembly pane text: the text and CR LF.
inline std::string AssemblyFileBytes(const std::string& assembly) { return assembly + "\r\n"; }

// UTF-8 text as Windows-1252 bytes, one per character: a character the code
// page lacks becomes `missing` (fixed-width records count characters as bytes).
std::string TextToCp1252(std::string_view utf8, char missing = '?');
// Windows-1252 bytes as UTF-8 text.
std::string Cp1252ToText(std::string_view cp1252);

// The 48 lines of PIC16F84.DEF, each followed by CR LF (plain ASCII).
std::string DefinitionsText();
// The bytes written for PIC16F84.DEF: the definitions and one more CR LF.
inline std::string DefinitionsFileBytes() { return DefinitionsText() + "\r\n"; }

// The author credit of the SubTitle line and the window title, UTF-8.
std::string AuthorCredit();

}  // namespace velmora
