// SPDX-License-Identifier: GPL-3.0-or-later
// Colouring of the assembly pane: the translator's output, or a hand edit of
// it, in the assembler's syntax.
//
// Token kinds (the colours of token_highlighter.h, as in the BASIC pane): the
// instructions of the PIC16F84 as keywords, assembler directives (EQU, ORG,
// Include, __CONFIG...) as words, numbers (0x1F, 12, b'0101', H'FF', $),
// double-quoted strings, comments from ";" to the end of the line, and
// labels: the name in the first column, and the target of GOTO and CALL.
// Words are matched in any case (the runtime routines write "Movwf").
#pragma once

#include "token_highlighter.h"

namespace velmora::editor {

class AssemblyHighlighter : public TokenHighlighter {
  Q_OBJECT

 public:
  explicit AssemblyHighlighter(QTextDocument* document);

 protected:
  void highlightBlock(const QString& text) override;
};

}  // namespace velmora::editor
