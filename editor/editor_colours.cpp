// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor_colours.h"

#include <algorithm>
#include <cmath>

namespace velmora::editor {

namespace {

double Linear(double channel) {
  return channel <= 0.04045 ? channel / 12.92 : std::pow((channel + 0.055) / 1.055, 2.4);
}

// True when dark colours read better on `background` than light ones.
bool WantsDark(const QColor& background) {
  const double l = Luminance(background);
  return (l + 0.05) / 0.05 >= 1.05 / (l + 0.05);
}

}  // namespace

double Luminance(const QColor& c) {
  const QColor rgb = c.toRgb();
  return 0.2126 * Linear(rgb.redF()) + 0.7152 * Linear(rgb.greenF()) + 0.0722 * Linear(rgb.blueF());
}

double ContrastRatio(const QColor& a, const QColor& b) {
  const double la = Luminance(a), lb = Luminance(b);
  return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

double BestContrast(const QColor& background) {
  return std::max(ContrastRatio(background, Qt::black), ContrastRatio(background, Qt::white));
}

double TargetContrast(const QColor& background) {
  return std::clamp(BestContrast(background) * 0.8, 3.0, 4.5);
}

QColor Readable(int hue, int saturation, const QColor& background, double minRatio) {
  const bool dark = WantsDark(background);
  // Start at a lightness where the hue shows well, then walk towards the
  // extreme that the background leaves room for.
  int lightness = dark ? 110 : 190;
  QColor c = QColor::fromHsl(hue, saturation, lightness);
  while (ContrastRatio(c, background) < minRatio) {
    lightness += dark ? -5 : 5;
    if (lightness <= 0 || lightness >= 255) {
      return QColor::fromHsl(hue, saturation, dark ? 0 : 255).toRgb();
    }
    c = QColor::fromHsl(hue, saturation, lightness);
  }
  return c.toRgb();
}

QColor Shade(const QColor& background, double amount) {
  return Mix(background, WantsDark(background) ? QColor(Qt::black) : QColor(Qt::white), amount);
}

QColor Mix(const QColor& a, const QColor& b, double t) {
  const auto mix = [t](int x, int y) { return static_cast<int>(std::lround(x + (y - x) * t)); };
  const QColor p = a.toRgb(), q = b.toRgb();
  return QColor(mix(p.red(), q.red()), mix(p.green(), q.green()), mix(p.blue(), q.blue()));
}

}  // namespace velmora::editor
