#include "reporter.h"

#include "encoding.h"

namespace velmora {

void SegnalaErrore(CompileState& st, const std::string& messageUtf8,
                   const std::string& programText) {
  st.Flag_Errore = true;
  st.TextASM += "<*> ERRORE : " + encoding::Utf8ToCp1252(messageUtf8) + programText + "\r\n";
  if (!st.IstruzioneCorrente.empty()) st.TextASM += "---istruzione---\r\n" + st.IstruzioneCorrente;
}

}  // namespace velmora
