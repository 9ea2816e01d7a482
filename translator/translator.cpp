// SPDX-License-Identifier: GPL-3.0-or-later
#include "translator.h"

#include "asm_writer.h"
#include "compile_state.h"
#include "driver.h"
#include "encoding.h"
#include "provenance.h"
#include "report.h"
#include "reporter.h"
#include "text.h"

namespace velmora {

namespace {

using text::Dec;

// Report why a source is no program text and return true; false when it is
// one. They run before normalisation, so a refused source costs one scan and
// none of its bytes reach the error block. RefuseText reads the text in the
// translator code page with CR LF line ends.
bool RefuseSize(CompileState& st, std::string_view raw) {
  if (raw.size() <= kMaxSourceBytes) return false;
  SegnalaErrore(st, "Il file è troppo grande per essere un programma BASIC: " +
                        Dec(static_cast<long long>(raw.size())) + " byte (al massimo " +
                        Dec(static_cast<long long>(kMaxSourceBytes)) + ")");
  return true;
}

bool RefuseText(CompileState& st, std::string_view basic) {
  int line = 1;
  size_t start = 0;
  for (size_t k = 0; k <= basic.size(); ++k) {
    const bool lineEnd = k == basic.size() || basic[k] == '\r';
    if (!lineEnd) {
      if (basic[k] == '\0') {
        st.RigaCorrente = line;  // the error belongs to that line of the file
        SegnalaErrore(st, "Il file contiene un carattere nullo (codice 0) alla riga " + Dec(line) +
                              ": non è un testo");
        return true;
      }
      continue;
    }
    const size_t length = k - start;
    if (length > static_cast<size_t>(kMaxSourceLineLength)) {
      st.RigaCorrente = line;
      SegnalaErrore(st, "La riga " + Dec(line) + " è troppo lunga: " + Dec(static_cast<long long>(length)) +
                            " caratteri (al massimo " + Dec(kMaxSourceLineLength) + ")");
      return true;
    }
    ++line;
    k += 1;  // the LF after the CR
    start = k + 1;
  }
  return false;
}

}  // namespace

TranslationResult TranslateText(CompileState& st, std::string_view source,
                                const TranslateOptions& options) {
  TranslationResult r;
  st.TextASM.clear();
  st.ResetForTranslation();
  st.IstruzioneCorrente.clear();
  if (RefuseSize(st, source)) {
    st.NoInput = 0;
  } else {
    std::string basic = encoding::ToCrLf(encoding::SourceBytesToCp1252(source));
    r.finalLineEndAdded = !text::EndsWith(basic, "\r\n");
    if (RefuseText(st, basic))
      st.NoInput = 0;
    else
      Translate(st, basic);
  }
  r.ok = !st.Flag_Errore;
  r.assembly = encoding::Cp1252ToUtf8(st.TextASM);
  if (r.ok) {
    r.figures = Figures(st);
    r.report = RenderReport(r.figures, options);
    r.variables = VariableTable(st);
  }
  FillSourceFields(st, r);
  return r;
}

Translator::Translator() : state_(std::make_unique<CompileState>()) {}
Translator::~Translator() = default;

TranslationResult Translator::Translate(std::string_view source, const TranslateOptions& options) {
  return TranslateText(*state_, source, options);
}

std::string SourceTextUtf8(std::string_view bytes) { return encoding::SourceBytesToUtf8(bytes); }

std::string TextToCp1252(std::string_view utf8, char missing) {
  std::string bytes = encoding::Utf8ToCp1252(utf8);
  for (char& c : bytes)
    if (c == encoding::kNoCode) c = missing;
  return bytes;
}

std::string Cp1252ToText(std::string_view cp1252) { return encoding::Cp1252ToUtf8(cp1252); }

std::string DefinitionsText() { return TestoDefinizioni(); }

std::string AuthorCredit() { return encoding::Cp1252ToUtf8(CreditoAutore()); }

}  // namespace velmora
