// SPDX-License-Identifier: GPL-3.0-or-later
// Runs a whole translation on arbitrary bytes, as velmorac and the window do.
//
// Any input must end with an assembly source or with one error block; the
// sanitizers catch reads and writes outside memory, libFuzzer's timeout
// catches a translation that does not end. The checks below catch a result
// that is neither.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "translator.h"

namespace {

void Require(bool condition) {
  if (!condition) std::abort();
}

bool StartsWith(const std::string& s, std::string_view prefix) {
  return s.compare(0, prefix.size(), prefix) == 0;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  // One translator for the whole run: a translation must not depend on what
  // the one before it left in the state.
  static velmora::Translator translator;
  const std::string_view source(reinterpret_cast<const char*>(data), size);
  velmora::TranslateOptions options;
  options.programPath = "fuzz.bas";
  const velmora::TranslationResult r = translator.Translate(source, options);
  if (r.ok) {
    // A finished translation has its report, begins with the header and has
    // the END directive. (It may hold the text of an error block: an ASM
    // block copies whatever it holds.)
    Require(!r.report.empty());
    Require(StartsWith(r.assembly, "        Title \"BASIC to PIC Translator\"\r\n"));
    Require(r.assembly.find("\r\n        END") != std::string::npos);
  } else {
    // A failed one shows error blocks only (a second one when a pre-pass that
    // runs after an error reports too) and no report.
    Require(StartsWith(r.assembly, "<*> ERRORE : "));
    Require(r.report.empty());
  }
  // The same state translates the same text to the same result again.
  const velmora::TranslationResult again = translator.Translate(source, options);
  Require(again.ok == r.ok && again.assembly == r.assembly);
  return 0;
}
