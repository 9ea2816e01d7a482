// SPDX-License-Identifier: GPL-3.0-or-later
// gpasm's errors and warnings on the student's own lines.
//
// gpasm names a line of the generated assembly ("prog.asm:9:Error[113]
// Symbol not previously defined: "NOWHERE""); the translation knows which
// BASIC line each assembly line came from. A diagnostic carries both, with
// the message in Italian and gpasm's own text kept beside it, and is shown
// as "FILE.bas:N: errore: <testo> (gpasm: <testo di gpasm>)" ("avviso:" for a
// warning), the form editors and the window's error list read.
#pragma once

#include <chrono>
#include <string>
#include <vector>

#include "assembler.h"
#include "translator.h"

namespace velmora::toolchain {

struct AssemblerDiagnostic {
  enum class Kind { Error, Warning };
  Kind kind = Kind::Error;
  // The BASIC line (from 1) the assembly line came from; 0 when it belongs
  // to no statement (header, runtime routines) or to another file.
  int basicLine = 0;
  // The line of the assembly source gpasm named (from 1); 0 for a message
  // about another file (PIC16F84.DEF) or about no line.
  int assemblyLine = 0;
  int code = 0;          // gpasm's message number (113 in "Error[113]")
  std::string text;      // Italian
  std::string original;  // gpasm's text, from "Error[113]" on, blanks squeezed
};

// The Italian text of one gpasm message: `code` its number, `message` the
// English text after "Error[113]". The quoted name or value of the message
// is carried over; a message the table does not know gets a general text.
std::string ItalianAssemblerText(int code, const std::string& message);

// gpasm's errors and warnings about `assemblyFileName` (the name it was
// given, "prog.asm"), each with the BASIC line of its assembly line:
// `assemblyLineSources` element i is the BASIC line of assembly line i+1
// (TranslationResult::assemblyLineSources). Messages (Message[302]) and
// other output are left out. Code beyond program memory gives one error,
// at the first line that no longer fits, however many lines follow it.
std::vector<AssemblerDiagnostic> MapAssemblerLines(const std::vector<AssemblerLine>& lines,
                                                   const std::string& assemblyFileName,
                                                   const std::vector<int>& assemblyLineSources);

// "FILE.bas:N: errore: TEXT (gpasm: ORIGINAL)", without ":N" for line 0.
std::string FormatDiagnostic(const std::string& basicFile, const AssemblerDiagnostic& diagnostic);

// The BASIC line of each line of the annotated assembly (translator.h's
// AnnotatedAssembly): its "; BASIC N: ..." comment lines belong to no
// statement, every other line keeps the line of the assembly it came from.
std::vector<int> AnnotatedLineSources(const std::string& annotated, const TranslationResult& translation);

struct AssembledTranslation {
  AssembleResult assembled;
  std::vector<AssemblerDiagnostic> diagnostics;  // errors and warnings, in gpasm's order
  bool ok() const { return assembled.ok; }
  // The first error's BASIC line, for the editor's cursor; 0 when none has one.
  int firstErrorLine() const;
};

// Writes `assemblyText` (a translation's assembly, or its annotated form;
// its lines numbered as in `lineSources`) as `folder`/`name`.asm with the
// bytes "Salva" writes, PIC16F84.DEF beside it, and assembles it with gpasm
// (giving NAME.hex, NAME.cod and NAME.lst); the diagnostics name BASIC lines.
AssembledTranslation AssembleTranslation(const std::string& folder, const std::string& name,
                                         const std::string& assemblyText, const std::vector<int>& lineSources,
                                         std::chrono::milliseconds limit = std::chrono::seconds(60));

// The same for a successful translation beside its BASIC file: FILE.bas
// gives FILE.asm, FILE.hex, FILE.cod, FILE.lst and PIC16F84.DEF in its folder.
AssembledTranslation AssembleTranslationBeside(const std::string& basicPath, const TranslationResult& translation,
                                               std::chrono::milliseconds limit = std::chrono::seconds(60));

}  // namespace velmora::toolchain
