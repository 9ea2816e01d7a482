// The statistics report of a finished translation.
#pragma once

#include <string>
#include <vector>

#include "compile_state.h"
#include "translator.h"

namespace velmora {

// The six-line statistics report of a finished translation (UTF-8): program
// name, words after ORG, use of the 1024 words, variables, RAM, stack level.
// Rendered from the figures, so the report and the typed result never differ.
std::string StatisticsReport(const CompileState& st, const TranslateOptions& options);

// The report's figures of the translation `st` holds.
ProgramFigures Figures(const CompileState& st);
// The six lines for those figures.
std::string RenderReport(const ProgramFigures& figures, const TranslateOptions& options);
// The variable table with the addresses the equates give (from InizioRAM, in table order).
std::vector<DeclaredVariable> VariableTable(const CompileState& st);

}  // namespace velmora
