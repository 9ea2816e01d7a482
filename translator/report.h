// SPDX-License-Identifier: GPL-3.0-or-later
// The statistics report of a finished translation.
#pragma once

#include <string>

#include "compile_state.h"

namespace velmora {

struct TranslateOptions;

// The six-line statistics report of a finished translation (UTF-8): program
// name, words after ORG, use of the 1024 words, variables, RAM, stack level.
std::string StatisticsReport(const CompileState& st, const TranslateOptions& options);

}  // namespace velmora
