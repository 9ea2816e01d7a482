// SPDX-License-Identifier: GPL-3.0-or-later
// Colours derived from an editor's background, readable on any background
// the colour chooser can give (the whole 24-bit range).
//
// Readability is measured as the contrast ratio of relative luminances,
// (L1 + 0.05) / (L2 + 0.05), 1 for equal colours and 21 for black on white.
#pragma once

#include <QColor>

namespace velmora::editor {

// Relative luminance of an sRGB colour, 0 (black) to 1 (white).
double Luminance(const QColor& c);

// Contrast ratio between two colours, 1 to 21 (symmetric).
double ContrastRatio(const QColor& a, const QColor& b);

// The highest ratio any colour can reach on `background`: against black or
// against white, whichever is further. About 4.6 at worst (mid grey).
double BestContrast(const QColor& background);

// The contrast a token colour must reach on `background`: 4.5 where the
// background allows it with room for a hue, less on mid tones, never below 3.
double TargetContrast(const QColor& background);

// A colour of the given hue (0-359) and saturation (0-255) whose lightness is
// moved away from `background` until it reaches `minRatio` (or the extreme
// of the lightness when the background allows no more).
QColor Readable(int hue, int saturation, const QColor& background, double minRatio);

// `background` moved by `amount` (0-1) towards the far extreme (darker on a
// light background, lighter on a dark one): line highlights and the margin.
QColor Shade(const QColor& background, double amount);

// `a` and `b` mixed, `t` = 0 gives `a`, 1 gives `b`.
QColor Mix(const QColor& a, const QColor& b, double t);

}  // namespace velmora::editor
