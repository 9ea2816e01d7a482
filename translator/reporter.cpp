#include "reporter.h"

#include "encoding.h"

namespace velmora {

void SegnalaErrore(CompileState& st, const std::string& messageUtf8,
                   const std::string& programText) {
  st.Flag_Errore = true;
  const std::string shown = encoding::Utf8ToCp1252(messageUtf8) + programText;
  st.TextASM += "<*> ERRORE : " + shown + "\r\n";
  std::string statement = st.IstruzioneCorrente;
  while (!statement.empty() && (statement.back() == '\n' || statement.back() == '\r')) statement.pop_back();
  st.Errori.push_back({st.RigaCorrente, encoding::Cp1252ToUtf8(shown.substr(0, shown.find("\r\n"))),
                       encoding::Cp1252ToUtf8(statement)});
  if (!st.IstruzioneCorrente.empty()) st.TextASM += "---istruzione---\r\n" + st.IstruzioneCorrente;
}

}  // namespace velmora
