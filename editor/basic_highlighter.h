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
// The colours are those of token_colours.h, derived from the background.
#pragma once

#include <QColor>
#include <QStringList>
#include <QSyntaxHighlighter>
#include <QTextCharFormat>

#include "token_colours.h"

namespace velmora::editor {

class BasicHighlighter : public QSyntaxHighlighter {
  Q_OBJECT

 public:
  explicit BasicHighlighter(QTextDocument* document);

  // Recomputes the token colours for this background/text pair and
  // recolours the document. The text colour is the one plain text keeps.
  void setColours(const QColor& background, const QColor& text);

  QTextCharFormat format(TokenKind kind) const { return formats_[static_cast<size_t>(kind)]; }
  QColor background() const { return background_; }

  // Statement keywords and completing words, upper case.
  static const QStringList& Keywords();
  static const QStringList& StatementWords();

 protected:
  void highlightBlock(const QString& text) override;

 private:
  QColor background_;
  TokenFormats formats_;
};

}  // namespace velmora::editor
