// The token kinds of the editors' colouring and their colours, shared by the
// BASIC and the assembly pane so that a keyword, a number or a comment looks
// the same in both.
//
// The colours are derived from the editor's background so that every kind
// stays readable on whatever pair the colour chooser gives.
#pragma once

#include <QColor>
#include <QTextCharFormat>
#include <array>

namespace velmora::editor {

enum class TokenKind { Keyword, Word, Number, String, Comment, Label, Assembly };
inline constexpr int kTokenKinds = 7;

using TokenFormats = std::array<QTextCharFormat, kTokenKinds>;

// One format per kind for this background/text pair (the text colour is the
// one plain text keeps): keywords bold, comments italic.
TokenFormats MakeTokenFormats(const QColor& background, const QColor& text);

}  // namespace velmora::editor
