// SPDX-License-Identifier: GPL-3.0-or-later
// What a class grading shows: the one-line row for the terminal, the CSV
// for a spreadsheet, the feedback file for each student and the class
// summary. Every text that comes from a file name or a program passes
// through SafeText first.
#pragma once

#include <string>

#include "class_grading.h"

namespace velmora {

// `text` as valid UTF-8 with no control characters: a byte that is not part
// of a valid UTF-8 sequence, and a control character (C0, DEL, C1), become
// U+FFFD, so a file name can neither break the CSV nor drive a terminal.
std::string SafeText(const std::string& text);

// "1 variabile", "2 variabili".
std::string Count(long long n, const char* one, const char* many);

// The terminal row of a program, without a line end:
// "PATH:LINE: errore: MESSAGE | istruzione: STATEMENT" or
// "PATH: ok (37 word, 1 byte RAM, 2 variabili, stack 1) punteggio 4/4".
std::string RowLine(const ProgramGrade& grade, const Exercise* exercise);

// The count line: "Tradotti: 3, con errori: 2, illeggibili: 1" (and
// ", senza programma: N", ", non valutati: N" when there are any).
std::string CountsLine(const ClassGrading& grading);

// The CSV: UTF-8 with a byte-order mark, ';' between fields, CR LF after
// each row, fields quoted as RFC 4180 when needed; a field that a
// spreadsheet would read as a formula (starting with = + - @, a tab or CR)
// gets a leading apostrophe. With an exercise: the simulation, for each
// check its points and the value found ("trovato: NOME"), the score.
std::string CsvText(const ClassGrading& grading, const Exercise* exercise);

// The feedback file of one student, in Italian, CR LF line ends: outcome,
// error and line, warnings, each check (expected, found, points), total.
std::string FeedbackText(const ProgramGrade& grade, const Exercise* exercise);

// The class summary, LF line ends: the counts; with an exercise the
// average, the full marks and the score distribution; the errors grouped
// by message with their count and students.
std::string ClassSummaryText(const ClassGrading& grading, const Exercise* exercise);

}  // namespace velmora
