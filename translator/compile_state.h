// The compile state shared by every pass of one translation.
//
// The program is an array of text lines, numbered from 1, that the passes
// rewrite in place until every line is a finished assembly line ("A>" and
// eight spaces and an instruction, or "A>" and a label and ":") or empty.
// Beside it live the variable table FAT, the subroutine table, the error flag,
// the generators of labels and work bytes, and the side tables that the
// statement passes fill and the assembly writer reads.
//
// All tables have fixed capacities and keep the 1-based numbering of the
// algorithms. An index outside a table reads an empty scratch entry and a
// write there goes nowhere, so no pass can write outside a table; the passes
// that grow a table check its capacity and stop the translation with a message.
#pragma once

#include <algorithm>
#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace velmora {

// Lines of text: what a pass writes for one statement, a table's rows.
using Lines = std::vector<std::string>;

// A fixed-capacity table of N texts numbered 1..N.
template <int N>
class TextTable {
 public:
  static constexpr int Capacity = N;
  std::string& operator[](int i) {
    if (i < 1 || i > N) {
      scratch_.clear();
      return scratch_;
    }
    return rows_[static_cast<size_t>(i)];
  }
  const std::string& operator[](int i) const {
    static const std::string empty;
    return (i < 1 || i > N) ? empty : rows_[static_cast<size_t>(i)];
  }

 private:
  std::vector<std::string> rows_ = std::vector<std::string>(N + 1);
  std::string scratch_;
};

// A fixed-capacity table of N rows of type T numbered 1..N.
template <typename T, int N>
class RowTable {
 public:
  static constexpr int Capacity = N;
  T& operator[](int i) {
    if (i < 1 || i > N) {
      scratch_ = T{};
      return scratch_;
    }
    return rows_[static_cast<size_t>(i)];
  }
  const T& operator[](int i) const {
    static const T empty{};
    return (i < 1 || i > N) ? empty : rows_[static_cast<size_t>(i)];
  }

 private:
  std::vector<T> rows_ = std::vector<T>(N + 1);
  T scratch_{};
};

// The program lines: a table of N texts numbered 1..N like TextTable, whose
// line numbers map to storage rows through an index. Opening a gap or closing
// one up then moves a few integers per line instead of every line's text,
// which keeps the passes that insert lines into a long program fast.
//
// Each line also carries the number of the BASIC source line it came from
// (0 for none). Writing a line's text keeps its source line, so a statement
// rewritten in place stays attributed to its BASIC line; the lines of a gap
// take the source line of the line the gap opens at (the statement being
// expanded); moving a line moves its source line with it.
template <int N>
class LineTable {
 public:
  static constexpr int Capacity = N;
  LineTable() {
    for (int k = 0; k <= N; ++k) row_[static_cast<size_t>(k)] = k;
  }
  std::string& operator[](int i) {
    if (i < 1 || i > N) {
      scratch_.clear();
      return scratch_;
    }
    return texts_[Row(i)];
  }
  const std::string& operator[](int i) const {
    static const std::string empty;
    return (i < 1 || i > N) ? empty : texts_[Row(i)];
  }

  // The BASIC source line of line i (0: none).
  int Source(int i) const { return (i < 1 || i > N) ? 0 : sources_[Row(i)]; }
  void SetSource(int i, int source) {
    if (i >= 1 && i <= N) sources_[Row(i)] = source;
  }
  // Line `to` takes the source line of line `from`.
  void TakeSource(int to, int from) { SetSource(to, Source(from)); }
  // Line i becomes empty, with no source line.
  void Clear(int i) {
    if (i < 1 || i > N) return;
    texts_[Row(i)].clear();
    sources_[Row(i)] = 0;
  }
  // Line `to` takes the text and source line of line `from`, which is left
  // holding line `to`'s old contents (for the caller to overwrite or clear).
  void Move(int from, int to) {
    if (from < 1 || from > N || to < 1 || to > N) return;
    std::swap(row_[static_cast<size_t>(from)], row_[static_cast<size_t>(to)]);
  }

  // Lines first..last move `count` places down (last + count <= N); lines
  // first..first+count-1 then hold the texts they had before the move, and
  // all take the source line of line `first`. Needs 1 <= first <= last.
  void OpenGap(int first, int last, int count) {
    const int source = Source(first);
    const auto at = [this](int i) { return row_.begin() + i; };
    // The rows past the end become the gap's rows (a statement rarely opens
    // more than a few dozen lines: no allocation then).
    std::array<int, 64> small;
    std::vector<int> large;
    int* freed = small.data();
    if (count > static_cast<int>(small.size())) {
      large.resize(static_cast<size_t>(count));
      freed = large.data();
    }
    std::copy(at(last + 1), at(last + count + 1), freed);
    std::copy_backward(at(first), at(last + 1), at(last + count + 1));
    std::copy(freed, freed + count, at(first));
    for (int k = 0; k < count; ++k) {
      if (first + k <= last) texts_[Row(first + k)] = texts_[Row(first + count + k)];
      sources_[Row(first + k)] = source;
    }
  }

  // Line `position` leaves: lines position+1..last move up one and line
  // `last` becomes empty. Needs 1 <= position <= last <= N.
  void Remove(int position, int last) {
    const int freed = row_[static_cast<size_t>(position)];
    std::copy(row_.begin() + position + 1, row_.begin() + last + 1, row_.begin() + position);
    row_[static_cast<size_t>(last)] = freed;
    texts_[static_cast<size_t>(freed)].clear();
    sources_[static_cast<size_t>(freed)] = 0;
  }

 private:
  size_t Row(int i) const { return static_cast<size_t>(row_[static_cast<size_t>(i)]); }
  std::vector<std::string> texts_ = std::vector<std::string>(N + 1);
  std::vector<int> sources_ = std::vector<int>(N + 1);
  std::vector<int> row_ = std::vector<int>(N + 1);
  std::string scratch_;
};

// A variable: name, type word as written after " AS ", size in bytes as decimal text.
struct FatRow {
  std::string name, type, size;
};

// A subroutine: name, parameter count as decimal text, parameter list as written.
struct SubRow {
  std::string name, count, params;
};

// A message tied to a BASIC source line (0: to none), UTF-8.
struct Diagnostica {
  int riga = 0;
  std::string messaggio;
  std::string istruzione;  // the statement of an error block (empty: none)
};

struct CompileState {
  // Capacities of the tables.
  static constexpr int kMaxLines = 3000;
  static constexpr int kMaxFat = 100;
  static constexpr int kMaxSub = 50;
  static constexpr int kMaxCall = 100;
  static constexpr int kMaxInit = 20;
  static constexpr int kMaxInt = 30;
  static constexpr int kMaxData = 252;
  static constexpr int kPoolSize = 15;

  // Constants fixed at program start.
  int InizioRAM = 12;     // address of the first FAT row (0x0C)
  int MaxByteRAM = 68;    // general-purpose RAM of the PIC16F84
  int ByteRiservati = 7;  // kept back for the translator's work bytes
  std::string PrefissoLabel = "@";
  std::string PrefissoVar = "W#";

  // Program lines.
  LineTable<kMaxLines> ArrayInput;
  int NoInput = 0;

  // Variables.
  RowTable<FatRow, kMaxFat> FAT;
  int NoFAT = 0;
  int NoByteRAM = 0;

  // Subroutines and the calls between them.
  RowTable<SubRow, kMaxSub> ArraySUB;
  int NoSUB = 0;
  TextTable<kMaxCall> ArrayCALL;
  int NoCALL = 0;
  int LivelloStack = 0;

  // Error state and the text of the assembly pane.
  bool Flag_Errore = false;
  std::string IstruzioneCorrente;
  std::string TextASM;

  // Where each message and output line comes from in the BASIC source.
  int RigaCorrente = 0;              // source line of IstruzioneCorrente (0: none)
  std::vector<Diagnostica> Errori;   // one per error block, with the first line of its message
  std::vector<Diagnostica> Avvisi;   // statements that translate but will not work on the chip
  std::vector<int> SorgenteASM;      // source line of each line of TextASM (0: none)

  // Generators: counters and their initialisation markers.
  int ContatoreLabel = 0;
  int MarkerLabel = 0;
  int ContatoreVar = 0;
  int MarkerVar = 0;

  // Dynamic work bytes W#D1..W#D15: character k is code k while free, 0 while taken.
  std::string PoolDinamiche;
  int MaxDinamiche = 0;

  // Side tables read by the assembly writer.
  TextTable<kMaxInit> ArrayInit;
  int NoInit = 0;
  TextTable<kMaxInt> ArrayINT;
  int NoINT = 0;
  std::string LabelFineINT;
  bool Flag_INT = false;
  bool Flag_INT_TMR0 = false;
  bool Flag_INT_RB = false;
  bool Flag_INT_RB0 = false;
  int TimerInit = 0;
  std::string TimerInitVar;
  int NoSetInitTimer = 0;
  bool Flag_VLTy = false;
  std::array<int, kMaxData + 1> ArrayDATA{};
  int NoDATA = 0;
  bool Flag_Routine = false;
  bool Flag_WRT = false;
  bool Flag_RD = false;
  bool Flag_DV10 = false;

  CompileState() { ResetForTranslation(); }

  // Clears the per-translation fields (the driver's first step).
  void ResetForTranslation();
};

// The statement being translated -----------------------------------------------

// Line i is the statement being translated: its text goes under an error
// block, its BASIC source line is the error's location.
void Corrente(CompileState& st, int i);
// No statement is being translated: an error then belongs to no line.
void NessunaIstruzione(CompileState& st);
// A warning about the statement being translated (its source line).
void SegnalaAvviso(CompileState& st, const std::string& messageUtf8);

// Line operations ----------------------------------------------------------

// Opens a gap of `count` lines at `position`: lines position..NoInput move
// `count` places down and NoInput grows. Lines position..position+count-1 keep
// their old text for the caller to overwrite. A count below 1 does nothing.
// Returns false, after reporting, when the program would outgrow the array.
bool InserisciRighe(CompileState& st, int position, int count);

// Deletes line `position`: the following lines move up, NoInput shrinks by one.
void EliminaRiga(CompileState& st, int position);

// Writes `lines` from line i on, replacing line i and opening a gap for the
// rest. Returns false, after reporting, when the array would overflow.
bool ScriviRighe(CompileState& st, int i, const Lines& lines);

// Generators ---------------------------------------------------------------

// "@" and the next label number (@1, @2, ... from 1 in each translation).
std::string NuovaLabel(CompileState& st);
// "W#" and the next number, appended to FAT as a one-byte variable.
std::string NuovaVariabile(CompileState& st);
// Appends a FAT row; reports and returns false when the table is full.
bool AggiungiVariabile(CompileState& st, const std::string& name, const std::string& type,
                       const std::string& size);
// Takes the lowest free dynamic work byte "W#Dk"; "W#D?" after reporting when none is free.
std::string AcquisisciDinamica(CompileState& st);
// Gives a dynamic work byte back to the pool; other names are ignored.
void RilasciaDinamica(CompileState& st, const std::string& name);

// Formatting and name tests --------------------------------------------------

// "0" for zero, otherwise "0x" and two upper-case hex digits of the low byte.
std::string FormatHex(int value);
// A name beginning "W#", or a FAT name (exact comparison).
bool IsVariable(const CompileState& st, const std::string& name);
// "A" or "B".
bool IsPortLetter(const std::string& text);
// "A0".."A4" or "B0".."B7".
bool IsPortLine(const std::string& text);

// The program-line format ----------------------------------------------------
//
// Every line a pass writes into ArrayInput, and every line of the side tables
// and of the assembly writer, is made by these helpers; the layout of an
// output line is decided here and nowhere else.

// Marks a finished line.
inline constexpr const char* kFinished = "A>";
// The indentation of an instruction in the output file.
inline constexpr const char* kIndent = "        ";

// A finished line (an instruction or a label line).
inline bool IsFinished(std::string_view line) { return line.size() >= 2 && line[0] == 'A' && line[1] == '>'; }

// "        MOVWF X": an instruction as the output file holds it (side tables, writer).
inline std::string Code(std::string_view instruction) {
  std::string s;
  s.reserve(8 + instruction.size());
  s.append(kIndent).append(instruction);
  return s;
}
// "A>        MOVWF X": a finished instruction line.
inline std::string Ins(std::string_view instruction) {
  std::string s;
  s.reserve(10 + instruction.size());
  s.append(kFinished).append(kIndent).append(instruction);
  return s;
}
// "A>LAB:": a finished label line.
inline std::string LabelLine(std::string_view label) {
  std::string s;
  s.reserve(3 + label.size());
  s.append(kFinished).append(label).append(":");
  return s;
}
// "A>        GOTO LAB".
inline std::string Goto(std::string_view label) { return Ins(std::string("GOTO ").append(label)); }
// An assembly text as the user wrote it: one holding ":" ("LAB1:" or
// "LAB1: NOP") starts in column 1, any other is an indented instruction.
inline std::string AsmText(std::string_view text) {
  if (text.find(':') == std::string_view::npos) return Ins(text);
  return std::string(kFinished).append(text);
}
// Finished instruction lines, one per instruction.
inline Lines InsLines(const Lines& instructions) {
  Lines out;
  out.reserve(instructions.size());
  for (const auto& ins : instructions) out.push_back(Ins(ins));
  return out;
}
// A label line: "A>" + label + ":" (a label carrying a comment does not end with ":").
inline bool IsLabelLine(std::string_view line) { return !line.empty() && line.back() == ':'; }
// A finished instruction line: "A>" followed by the indentation.
inline bool IsInstructionLine(std::string_view line) {
  return line.size() >= 7 && line.substr(2, 5) == std::string_view(kIndent, 5);
}
// The label of a finished line: the text between "A>" and its first ":" (empty when none).
inline std::string LabelOf(std::string_view line) {
  const size_t c = line.find(':');
  return c == std::string_view::npos || c < 2 ? std::string() : std::string(line.substr(2, c - 2));
}
// The instruction of a finished instruction line, without "A>" and the indentation.
inline std::string InstructionOf(std::string_view line) {
  const size_t k = line.find_first_not_of(' ', 2);
  return k == std::string_view::npos ? std::string() : std::string(line.substr(k));
}
// Puts `instruction` on a label line: the label in column 1, the instruction
// from column 9 (after one space when the label is longer).
inline void AppendToLabel(std::string& labelLine, std::string_view instruction) {
  if (labelLine.size() > 9)
    labelLine += ' ';
  else
    labelLine.resize(10, ' ');
  labelLine.append(instruction);
}
// The output text of a finished line (without "A>"); other lines as they are.
inline std::string_view OutputText(std::string_view line) { return IsFinished(line) ? line.substr(2) : line; }

}  // namespace velmora
