// Source lines of the output. Every program line carries the BASIC source
// line it came from through all the passes (LineTable); the assembly writer
// records it for each line it writes (SorgenteASM). This file turns those
// records into the result's per-line figures and the annotated listing.
#include "provenance.h"

#include <algorithm>
#include <string_view>

#include "encoding.h"
#include "text.h"

namespace velmora {

namespace {

// A line the report counts as a word of program memory (after ORG): neither
// empty nor a bare label.
bool IsWordLine(std::string_view line) {
  const size_t k = line.find_first_not_of(' ');
  return k != std::string_view::npos && line.back() != ':';
}

std::string_view TrimBlanks(std::string_view s) {
  const size_t a = s.find_first_not_of(" \t");
  if (a == std::string_view::npos) return {};
  return s.substr(a, s.find_last_not_of(" \t") - a + 1);
}

}  // namespace

void FillSourceFields(const CompileState& st, TranslationResult& r) {
  for (const Diagnostica& e : st.Errori) r.errors.push_back({e.riga, e.messaggio, e.istruzione});
  for (const Diagnostica& w : st.Avvisi) r.warnings.push_back({w.riga, w.messaggio, {}});
  std::stable_sort(r.warnings.begin(), r.warnings.end(),
                   [](const SourceMessage& a, const SourceMessage& b) { return a.line < b.line; });
  r.errorLine = r.errors.empty() ? 0 : r.errors.front().line;
  if (!r.ok) return;

  r.assemblyLineSources = st.SorgenteASM;
  std::vector<int> words;
  text::ForEachLine(st.TextASM, [&](size_t index, std::string_view line) {
    if (index >= st.SorgenteASM.size()) return;
    const int source = st.SorgenteASM[index];
    if (source <= 0 || !IsWordLine(line)) return;
    if (static_cast<size_t>(source) >= words.size()) words.resize(static_cast<size_t>(source) + 1, 0);
    words[static_cast<size_t>(source)] += 1;
  });
  for (size_t line = 1; line < words.size(); ++line)
    if (words[line] > 0) r.words.push_back({static_cast<int>(line), words[line]});
}

std::vector<std::string> SourceLines(std::string_view source) {
  // The same decoding and line ends as TranslateText, so the numbers match.
  const std::string basic = encoding::ToCrLf(encoding::SourceBytesToCp1252(source));
  std::vector<std::string> lines;
  text::ForEachLine(basic, [&lines](size_t, std::string_view line) {
    lines.push_back(encoding::Cp1252ToUtf8(TrimBlanks(line)));
  });
  // An empty text after the last line end is no line of the program.
  if (basic.empty() || text::EndsWith(basic, "\r\n")) lines.pop_back();
  return lines;
}

std::string AnnotatedAssembly(const TranslationResult& result, std::string_view source) {
  if (!result.ok) return result.assembly;
  const std::vector<std::string> texts = SourceLines(source);
  std::string out;
  out.reserve(result.assembly.size() + result.assembly.size() / 4);
  int last = 0;
  bool first = true;
  text::ForEachLine(result.assembly, [&](size_t index, std::string_view line) {
    if (!first) out += "\r\n";
    first = false;
    const int src = index < result.assemblyLineSources.size() ? result.assemblyLineSources[index] : 0;
    if (src > 0 && src != last && IsWordLine(line)) {
      out += "; BASIC " + text::Dec(src) + ": ";
      if (static_cast<size_t>(src) <= texts.size()) out += texts[static_cast<size_t>(src) - 1];
      out += "\r\n";
      last = src;
    }
    out += line;
  });
  return out;
}

}  // namespace velmora
