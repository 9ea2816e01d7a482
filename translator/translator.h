// The translator as the desktop program and velmorac use it.
//
// Takes the BASIC source as it comes from a file or the editor (UTF-8, or
// Windows-1252 when it is not valid UTF-8; any line ends), runs Translate and
// hands back UTF-8 texts with CR LF line ends.
#pragma once

#include <string>
#include <string_view>

#include "compile_state.h"
#include "driver.h"

namespace velmora {

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

TranslationResult TranslateText(CompileState& st, std::string_view source,
                                const TranslateOptions& options);

// The bytes "Salva" writes for an assembly pane text: the text and CR LF.
inline std::string AssemblyFileBytes(const std::string& assembly) { return assembly + "\r\n"; }

}  // namespace velmora
