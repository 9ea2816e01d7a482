// SPDX-License-Identifier: GPL-3.0-or-later
// Painting of a pin LED.
#include "pin_led.h"

#include <QPainter>

namespace velmora::simulator {

PinLed::PinLed(const QString& name, QWidget* parent) : QAbstractButton(parent) {
  setText(name);
  setFocusPolicy(Qt::NoFocus);
  setState(false, false);
}

void PinLed::setState(bool output, bool high) {
  if (output == output_ && high == high_ && !toolTip().isEmpty()) return;
  output_ = output;
  high_ = high;
  setCursor(Qt::PointingHandCursor);
  setToolTip(output ? QStringLiteral("%1: uscita, %2 (in pausa, clic per forzare l'altro livello)")
                          .arg(text(), high ? QStringLiteral("alta") : QStringLiteral("bassa"))
                    : QStringLiteral("%1: ingresso, %2 (clic per cambiare il livello)")
                          .arg(text(), high ? QStringLiteral("alto") : QStringLiteral("basso")));
  update();
}

QSize PinLed::sizeHint() const { return {42, 62}; }

void PinLed::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.setRenderHint(QPainter::Antialiasing);
  const int d = 22;
  const QRectF led((width() - d) / 2.0, 4, d, d);
  const QColor on = output_ ? QColor(229, 57, 53) : QColor(67, 160, 71);
  const QColor off = output_ ? QColor(90, 30, 30) : QColor(30, 65, 35);
  p.setPen(QPen(palette().color(QPalette::WindowText), output_ ? 1.0 : 2.0, output_ ? Qt::SolidLine : Qt::DashLine));
  p.setBrush(high_ ? on : off);
  p.drawEllipse(led);
  p.setPen(palette().color(QPalette::WindowText));
  QFont f = font();
  f.setBold(true);
  p.setFont(f);
  p.drawText(QRectF(0, 28, width(), 16), Qt::AlignCenter, text());
  f.setBold(false);
  f.setPointSizeF(f.pointSizeF() * 0.8);
  p.setFont(f);
  p.drawText(QRectF(0, 44, width(), 14), Qt::AlignCenter, output_ ? QStringLiteral("OUT") : QStringLiteral("IN"));
}

}  // namespace velmora::simulator
