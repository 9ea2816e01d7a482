// SPDX-License-Identifier: GPL-3.0-or-later
// Colouring of the BASIC dialect in the editor.
//
// Token kinds: statement keywords and the words that complete statements
// (the help's keyword list), numbers in every form the translator reads
// (decimal with or without fraction, &H.., 0x.., B'0101'), double-quoted
// strings, comments from an apostrophe to the end of the line, labels
// ("NAME:" on its own, or before a colon, and the target of GOTO) and the
// lines inside an ASM{ ... } block. Words are matched in any case, as the
// translator upper-cases the text outside strings.
//
// The colours are those of token_highlighter.h, derived from the background.
#pragma once

#include <QStringList>

#include "token_highlighter.h"

namespace velmora::editor {

class BasicHighlighter : public TokenHighlighter {
  Q_OBJECT

 public:
  explicit BasicHighlighter(QTextDocument* document);

  // Statement keywords and completing words, upper case.
  static const QStringList& Keywords();
  static const QStringList& StatementWords();

 protected:
  void highlightBlock(const QString& text) override;
};

}  // namespace velmora::editor
