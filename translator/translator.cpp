#include "translator.h"

#include "encoding.h"
#include "text.h"

namespace velmora {

TranslationResult TranslateText(CompileState& st, std::string_view source,
                                const TranslateOptions& options) {
  std::string basic = encoding::ToCrLf(encoding::SourceBytesToCp1252(source));
  TranslationResult r;
  r.finalLineEndAdded = !text::EndsWith(basic, "\r\n");
  r.report = Translate(st, basic, options);
  r.ok = !st.Flag_Errore;
  r.assembly = encoding::Cp1252ToUtf8(st.TextASM);
  return r;
}

}  // namespace velmora
