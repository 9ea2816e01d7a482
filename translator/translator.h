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

namespace velmora {

struct CompileState;

struct TranslateOptions {
  // Path of the BASIC file being translated (the window's current file), UTF-8;
  // empty when none. Its name heads the report.
  std::string programPath;
  // Decimal separator of the report's percentages (the system's).
  char decimalSeparator = '.';
};

struct TranslationResult {
  bool ok = false;
  // The assembly pane text: the assembly source, or the error block.
  std::string assembly;
  // The six-line report; empty after an error.
  std::string report;
  // The source did not end with a line end: the editor appends CR LF.
  bool finalLineEndAdded = false;
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
