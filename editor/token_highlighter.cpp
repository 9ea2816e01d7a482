// SPDX-License-Identifier: GPL-3.0-or-later
#include "token_highlighter.h"

#include "editor_colours.h"

namespace velmora::editor {

namespace {

// Hue and saturation of each kind, in TokenKind order. Lightness is chosen
// from the background (Readable).
struct Tinta {
  int hue;
  int saturation;
};
constexpr std::array<Tinta, kTokenKinds> kTinte = {{
    {220, 220},  // Keyword: blue
    {280, 150},  // Word: violet
    {25, 230},   // Number: orange
    {350, 190},  // String: crimson
    {105, 120},  // Comment: green
    {165, 230},  // Label: sea green
    {40, 110},   // Assembly: ochre
}};

// The smallest hue distance between a token colour and a tinted text colour.
constexpr int kMinHueGap = 40;

}  // namespace

TokenFormats MakeTokenFormats(const QColor& background, const QColor& text) {
  TokenFormats formats;
  const double target = TargetContrast(background);
  const int textHue = text.toHsl().hslHue();
  const bool textTinted = textHue >= 0 && text.toHsl().hslSaturation() > 60;
  for (size_t k = 0; k < formats.size(); ++k) {
    // A hue close to a tinted text colour moves away from it, so tokens do
    // not look like plain text (blue keywords on the default blue text).
    int hue = kTinte[k].hue;
    const int diff = ((hue - textHue) % 360 + 540) % 360 - 180;
    if (textTinted && diff > -kMinHueGap && diff < kMinHueGap) {
      hue = (textHue + (diff < 0 ? -kMinHueGap : kMinHueGap) + 360) % 360;
    }
    QTextCharFormat f;
    f.setForeground(Readable(hue, kTinte[k].saturation, background, target));
    formats[k] = f;
  }
  formats[static_cast<size_t>(TokenKind::Keyword)].setFontWeight(QFont::Bold);
  formats[static_cast<size_t>(TokenKind::Comment)].setFontItalic(true);
  return formats;
}

TokenHighlighter::TokenHighlighter(QTextDocument* document, const QColor& background, const QColor& text)
    : QSyntaxHighlighter(document), background_(background), formats_(MakeTokenFormats(background, text)) {}

void TokenHighlighter::setColours(const QColor& background, const QColor& text) {
  background_ = background;
  formats_ = MakeTokenFormats(background, text);
  rehighlight();
}

void TokenHighlighter::paint(qsizetype from, qsizetype to, TokenKind kind) {
  setFormat(static_cast<int>(from), static_cast<int>(to - from), format(kind));
}

qsizetype TokenHighlighter::paintString(const QString& text, qsizetype from) {
  const qsizetype close = text.indexOf(u'"', from + 1);
  const qsizetype end = close < 0 ? text.size() : close + 1;
  paint(from, end, TokenKind::String);
  return end;
}

}  // namespace velmora::editor
