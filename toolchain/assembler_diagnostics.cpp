// SPDX-License-Identifier: GPL-3.0-or-later
// gpasm's messages read, put in Italian and placed on BASIC lines.
#include "assembler_diagnostics.h"

#include <filesystem>
#include <regex>
#include <sstream>

namespace velmora::toolchain {
namespace {

namespace fs = std::filesystem;

// One known gpasm message: its number, the start of its English text (gpasm
// uses one number for more than one message), and the Italian text; "%s"
// stands for the name or value the message quotes.
struct KnownMessage {
  int code;
  const char* english;
  const char* italian;
};

// The messages gpasm gives for what a student can write in an ASM block or
// a program that does not fit, each seen on the real gpasm.
const KnownMessage kKnownMessages[] = {
    {113, "Symbol not previously defined", "Simbolo non definito: %s (etichetta o variabile mai dichiarata)"},
    {115, "Duplicate label", "Etichetta duplicata: %s"},
    {116, "Address label duplicated",
     "Nome già definito: %s (etichetta ripetuta, o uguale al nome di una variabile, di una SUB o di un registro)"},
    {118, "Overwriting previous address contents", "Indirizzo di programma già occupato: %s (ORG su codice già scritto)"},
    {220, "Address exceeds maximum range",
     "Il programma non entra nelle 1024 word della memoria di programma del PIC16F84"},
    {202, "Argument out of range", "Valore fuori intervallo: vengono usati solo i bit meno significativi"},
    {126, "Argument out of range", "Valore fuori intervallo"},
    {181, "Unknown opcode", "Istruzione sconosciuta: %s"},
    {181, "Illegal character", "Carattere non ammesso in una costante numerica: %s"},
    {122, "Illegal opcode", "Istruzione non valida: %s"},
    {108, "Illegal character", "Carattere non ammesso: %s"},
    {124, "Illegal argument", "Operando non valido: %s"},
    {127, "Too many arguments", "Troppi operandi per l'istruzione"},
    {128, "Missing argument", "Manca un operando dell'istruzione"},
    {129, "Expected", "Manca un elemento: %s"},
    {1102, "Parser error", "Errore di sintassi nella riga assembly"},
    {114, "Divide by zero", "Divisione per zero"},
    {105, "Cannot open file", "Impossibile aprire il file incluso: %s"},
    {101, "ERROR:", "Errore dichiarato con la direttiva ERROR: %s"},
    {125, "Illegal condition", "Condizione non valida (un IF, una MACRO o un blocco non chiuso prima di END?)"},
    {145, "Unmatched ENDM", "ENDM senza la MACRO che chiude"},
    {224, "Use of this instruction is not recommended", "Istruzione sconsigliata sul PIC16F84: %s"},
    {203, "Found opcode in column 1", "Istruzione in prima colonna, dove vanno solo le etichette: %s"},
    {205, "Found directive in column 1", "Direttiva in prima colonna, dove vanno solo le etichette: %s"},
    {207, "Found label after column 1", "Etichetta non in prima colonna: %s"},
    {211, "Extraneous arguments", "Operandi in più sulla riga"},
    {218, "Expected dec, oct, hex", "Base numerica non riconosciuta: viene usata quella esadecimale"},
};

// The name or value a message quotes: "..." first, then '...', then the
// text after the last ": " (an address, the ERROR directive's text).
std::string Quoted(const std::string& message) {
  for (char quote : {'"', '\''}) {
    const size_t open = message.find(quote);
    const size_t close = open == std::string::npos ? open : message.find(quote, open + 1);
    if (close != std::string::npos) return message.substr(open + 1, close - open - 1);
  }
  const size_t colon = message.rfind(": ");
  if (colon == std::string::npos) return {};
  std::string rest = message.substr(colon + 2);
  if (rest.size() >= 2 && rest.front() == '(' && rest.back() == ')') rest = rest.substr(1, rest.size() - 2);
  return rest;
}

// Blanks after "Error[113]" squeezed to one: gpasm pads the head to a column.
std::string Squeezed(const std::string& text) {
  std::string out;
  for (char c : text)
    if (!(c == ' ' && !out.empty() && out.back() == ' ')) out += c;
  return out;
}

}  // namespace

std::string ItalianAssemblerText(int code, const std::string& message) {
  for (const KnownMessage& known : kKnownMessages) {
    if (known.code != code || message.rfind(known.english, 0) != 0) continue;
    std::string text = known.italian;
    const size_t slot = text.find("%s");
    if (slot == std::string::npos) return text;
    const std::string quoted = Quoted(message.substr(std::string(known.english).size()));
    // Without a name to show, the text ends before its ": %s".
    if (quoted.empty()) return text.substr(0, slot >= 2 && text.compare(slot - 2, 2, ": ") == 0 ? slot - 2 : slot) +
                               text.substr(slot + 2);
    return text.replace(slot, 2, quoted);
  }
  return {};
}

std::vector<AssemblerDiagnostic> MapAssemblerLines(const std::vector<AssemblerLine>& lines,
                                                   const std::string& assemblyFileName,
                                                   const std::vector<int>& assemblyLineSources) {
  // "FILE:LINE:Kind[code]   text" or, about no line, "Kind[code]   text".
  static const std::regex located(R"(^(.*):([0-9]+):((Error|Warning)\[([0-9]+)\]\s*(.*))$)");
  static const std::regex unlocated(R"(^((Error|Warning)\[([0-9]+)\]\s*(.*))$)");
  const std::string ownFile = fs::path(assemblyFileName).filename().string();
  std::vector<AssemblerDiagnostic> found;
  bool overflowSeen = false;
  for (const AssemblerLine& line : lines) {
    if (line.kind != AssemblerLine::Kind::Error && line.kind != AssemblerLine::Kind::Warning) continue;
    std::smatch m;
    AssemblerDiagnostic d;
    std::string message;
    if (std::regex_match(line.text, m, located)) {
      if (fs::path(m[1].str()).filename().string() == ownFile) d.assemblyLine = std::stoi(m[2].str());
      d.original = m[3].str();
      d.code = std::stoi(m[5].str());
      message = m[6].str();
    } else if (std::regex_match(line.text, m, unlocated)) {
      d.original = m[1].str();
      d.code = std::stoi(m[3].str());
      message = m[4].str();
    } else {
      d.original = line.text;
      message = line.text;
    }
    d.original = Squeezed(d.original);
    d.kind = line.kind == AssemblerLine::Kind::Error ? AssemblerDiagnostic::Kind::Error
                                                     : AssemblerDiagnostic::Kind::Warning;
    if (d.code == 220) {  // every word past the end gets one: the first says it all
      if (overflowSeen) continue;
      overflowSeen = true;
    }
    d.text = ItalianAssemblerText(d.code, message);
    if (d.text.empty())
      d.text = d.kind == AssemblerDiagnostic::Kind::Error ? "Errore dell'assemblatore" : "Avviso dell'assemblatore";
    if (d.assemblyLine >= 1 && static_cast<size_t>(d.assemblyLine) <= assemblyLineSources.size())
      d.basicLine = assemblyLineSources[static_cast<size_t>(d.assemblyLine - 1)];
    found.push_back(std::move(d));
  }
  return found;
}

std::string FormatDiagnostic(const std::string& basicFile, const AssemblerDiagnostic& d) {
  const std::string where = d.basicLine > 0 ? basicFile + ":" + std::to_string(d.basicLine) : basicFile;
  return where + (d.kind == AssemblerDiagnostic::Kind::Error ? ": errore: " : ": avviso: ") + d.text + " (gpasm: " +
         d.original + ")";
}

std::vector<int> AnnotatedLineSources(const std::string& annotated, const TranslationResult& translation) {
  const auto split = [](const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    std::string line;
    while (std::getline(in, line)) {
      if (!line.empty() && line.back() == '\r') line.pop_back();
      lines.push_back(line);
    }
    return lines;
  };
  const std::vector<std::string> plain = split(translation.assembly), notes = split(annotated);
  std::vector<int> sources;
  size_t next = 0;  // the next plain line not yet matched
  for (const std::string& line : notes) {
    if (next < plain.size() && line == plain[next]) {
      sources.push_back(next < translation.assemblyLineSources.size() ? translation.assemblyLineSources[next] : 0);
      ++next;
    } else {
      sources.push_back(0);  // a "; BASIC N: ..." line of the annotation
    }
  }
  return sources;
}

int AssembledTranslation::firstErrorLine() const {
  for (const AssemblerDiagnostic& d : diagnostics)
    if (d.kind == AssemblerDiagnostic::Kind::Error && d.basicLine > 0) return d.basicLine;
  return 0;
}

AssembledTranslation AssembleTranslation(const std::string& folder, const std::string& name,
                                         const std::string& assemblyText, const std::vector<int>& lineSources,
                                         std::chrono::milliseconds limit) {
  AssembledTranslation r;
  r.assembled = Assemble(folder, name, AssemblyFileBytes(assemblyText), limit);
  if (!r.assembled.toolFailed) r.diagnostics = MapAssemblerLines(r.assembled.lines, name + ".asm", lineSources);
  return r;
}

AssembledTranslation AssembleTranslationBeside(const std::string& basicPath, const TranslationResult& translation,
                                               std::chrono::milliseconds limit) {
  const fs::path basic(basicPath);
  const std::string folder = basic.has_parent_path() ? basic.parent_path().string() : ".";
  return AssembleTranslation(folder, basic.stem().string(), translation.assembly, translation.assemblyLineSources,
                             limit);
}

}  // namespace velmora::toolchain
