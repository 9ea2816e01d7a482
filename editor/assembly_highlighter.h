// Colouring of the assembly pane: the translator's output, or a hand edit of
// it, in the assembler's syntax.
//
// Token kinds (the colours of token_colours.h, as in the BASIC pane): the
// instructions of the PIC16F84 as keywords, assembler directives (EQU, ORG,
// Include, __CONFIG...) as words, numbers (0x1F, 12, b'0101', H'FF', $),
// double-quoted strings, comments from ";" to the end of the line, and
// labels: the name in the first column, and the target of GOTO and CALL.
// Words are matched in any case (the runtime routines write "Movwf").
#pragma once

#include <QSyntaxHighlighter>

#include "token_colours.h"

namespace velmora::editor {

class AssemblyHighlighter : public QSyntaxHighlighter {
  Q_OBJECT

 public:
  explicit AssemblyHighlighter(QTextDocument* document);

  void setColours(const QColor& background, const QColor& text);
  QTextCharFormat format(TokenKind kind) const { return formats_[static_cast<size_t>(kind)]; }

 protected:
  void highlightBlock(const QString& text) override;

 private:
  TokenFormats formats_;
};

}  // namespace velmora::editor
