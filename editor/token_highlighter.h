// SPDX-License-Identifier: GPL-3.0-or-later
// What the BASIC and the assembly pane's colouring share, so that a keyword,
// a number or a comment looks the same in both: the token kinds, their
// colours, and a highlighter base that paints them.
//
// The colours are derived from the editor's background so that every kind
// stays readable on whatever pair the colour chooser gives.
#pragma once

#include <QColor>
#include <QSyntaxHighlighter>
#include <QTextCharFormat>
#include <array>

namespace velmora::editor {

enum class TokenKind { Keyword, Word, Number, String, Comment, Label, Assembly };
inline constexpr int kTokenKinds = 7;

using TokenFormats = std::array<QTextCharFormat, kTokenKinds>;

// One format per kind for this background/text pair (the text colour is the
// one plain text keeps): keywords bold, comments italic.
TokenFormats MakeTokenFormats(const QColor& background, const QColor& text);

// A highlighter that paints token kinds in their colours. Derived classes
// call rehighlight() at the end of their constructor (the base cannot: the
// painting is theirs).
class TokenHighlighter : public QSyntaxHighlighter {
  Q_OBJECT

 public:
  TokenHighlighter(QTextDocument* document, const QColor& background, const QColor& text);

  // Recomputes the token colours for this background/text pair (the text
  // colour is the one plain text keeps) and recolours the document.
  void setColours(const QColor& background, const QColor& text);
  QTextCharFormat format(TokenKind kind) const { return formats_[static_cast<size_t>(kind)]; }
  QColor background() const { return background_; }

 protected:
  void paint(qsizetype from, qsizetype to, TokenKind kind);
  // The double-quoted string opening at `from` (to the end of the line when
  // it is not closed); returns where it ends.
  qsizetype paintString(const QString& text, qsizetype from);

 private:
  QColor background_;
  TokenFormats formats_;
};

}  // namespace velmora::editor
