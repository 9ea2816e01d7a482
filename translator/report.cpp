// The statistics report: counts the words of the assembly text and formats
// the six lines the window shows after a translation.
#include "report.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "driver.h"
#include "encoding.h"
#include "text.h"

namespace velmora {

using namespace text;

namespace {

// Upper case of a UTF-8 file name, Latin letters with accents included.
std::string UpperName(const std::string& utf8) {
  std::string b = encoding::Utf8ToCp1252(utf8);
  for (char& c : b) {
    const auto u = static_cast<unsigned char>(c);
    if ((u >= 'a' && u <= 'z') || (u >= 0xE0 && u <= 0xFE && u != 0xF7))
      c = static_cast<char>(u - 0x20);
  }
  return encoding::Cp1252ToUtf8(b);
}

std::string Decimal(double v, char separator) {
  char buf[32];
  std::snprintf(buf, sizeof buf, "%.15g", v);
  std::string s = buf;
  for (char& c : s)
    if (c == '.') c = separator;
  return s;
}

}  // namespace

ProgramFigures Figures(const CompileState& st) {
  ProgramFigures f;
  // Words: every line after the ORG line that is neither empty nor a bare label.
  bool afterOrg = false;
  size_t from = 0;
  for (;;) {
    const size_t to = st.TextASM.find("\r\n", from);
    if (to == std::string::npos) break;
    std::string_view line = std::string_view(st.TextASM).substr(from, to - from);
    line.remove_prefix(std::min(line.size(), line.find_first_not_of(' ')));  // leading blanks
    from = to + 2;
    if (afterOrg) {
      if (!line.empty() && !EndsWith(line, ":")) ++f.words;
    } else if (StartsWith(line, "ORG ")) {
      afterOrg = true;
    }
  }
  f.variables = st.NoFAT;
  f.ramBytes = st.NoByteRAM;
  f.maxRamBytes = st.MaxByteRAM;
  f.stackLevel = st.LivelloStack + 1;
  return f;
}

std::vector<DeclaredVariable> VariableTable(const CompileState& st) {
  std::vector<DeclaredVariable> table;
  int address = st.InizioRAM;
  for (int i = 1; i <= st.NoFAT; ++i) {
    const FatRow& row = st.FAT[i];
    const int size = static_cast<int>(Val(row.size));
    table.push_back({encoding::Cp1252ToUtf8(row.name), address, encoding::Cp1252ToUtf8(row.type), size,
                     StartsWith(row.name, "W#")});
    address += size;
  }
  return table;
}

std::string RenderReport(const ProgramFigures& f, const TranslateOptions& options) {
  const double pct = std::floor(f.words / static_cast<double>(f.maxWords) * 1000.0) / 10.0;

  std::string name = options.programPath;
  const auto slash = name.find_last_of("\\/");
  if (slash != std::string::npos) name.erase(0, slash + 1);
  name = options.programPath.empty() ? "<UNDEFINED>" : UpperName(name);

  const char sep = options.decimalSeparator;
  return "Nome programma: " + name + "\r\n" +
         "Lunghezza programma " + Dec(f.words) + " word (max " + Dec(f.maxWords) + ")\r\n" +
         "Utilizzo risorse " + Decimal(pct, sep) + " %  Disponibilità " + Decimal(100.0 - pct, sep) +
         " %\r\n" +
         "Numero di variabili definite " + Dec(f.variables) + "\r\n" +
         "Utilizzo memoria RAM " + Dec(f.ramBytes) + " byte (max " + Dec(f.maxRamBytes) + ")\r\n" +
         "Livello di Stack " + Dec(f.stackLevel) + " (Max 6, +2 riservati)";
}

std::string StatisticsReport(const CompileState& st, const TranslateOptions& options) {
  return RenderReport(Figures(st), options);
}

}  // namespace velmora
