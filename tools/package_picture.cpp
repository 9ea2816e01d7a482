// SPDX-License-Identifier: GPL-3.0-or-later
#include "package_picture.h"

#include <QPainter>
#include <QPainterPath>

namespace velmora::tools {

const QStringList& NomiPiedini() {
  static const QStringList nomi = {
      "RA2", "RA3", "RA4/T0CKI", "MCLR", "VSS", "RB0/INT", "RB1", "RB2", "RB3",
      "RB4", "RB5", "RB6", "RB7", "VDD", "OSC2/CLKOUT", "OSC1/CLKIN", "RA0", "RA1"};
  return nomi;
}

PackagePicture::PackagePicture(QWidget* parent) : QWidget(parent) {
  setObjectName("Picture1");
  setAutoFillBackground(true);
  QPalette sfondo = palette();
  sfondo.setColor(QPalette::Window, Qt::white);
  setPalette(sfondo);
}

QSize PackagePicture::sizeHint() const { return {520, 460}; }

// Pins 1-9 run down the left side and 10-18 up the right, as seen from above
// with the notch at the top; each name stands outside its pin, MCLR with the
// bar of an active-low input.
void PackagePicture::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.setRenderHint(QPainter::Antialiasing);

  const double altezza = height() * 0.78;
  const double passo = altezza / 9.0;
  const double larghezza = qMin(width() * 0.30, passo * 4.0);
  const QRectF corpo((width() - larghezza) / 2.0, (height() - altezza) / 2.0 + passo * 0.2,
                     larghezza, altezza);
  const double gamba = qMax(8.0, larghezza * 0.14);

  QFont font = p.font();
  font.setPixelSize(qMax(9, static_cast<int>(passo * 0.36)));
  p.setFont(font);
  const QFontMetricsF metriche(font);

  // Body with the notch that marks pin 1's end.
  QPainterPath sagoma;
  sagoma.addRoundedRect(corpo, 4, 4);
  const double raggio = larghezza * 0.12;
  QPainterPath tacca;
  tacca.addEllipse(QPointF(corpo.center().x(), corpo.top()), raggio, raggio);
  p.setPen(QPen(Qt::black, 1.5));
  p.setBrush(QColor(60, 60, 60));
  p.drawPath(sagoma.subtracted(tacca));

  const QStringList& nomi = NomiPiedini();
  for (int i = 0; i < 18; ++i) {
    const bool sinistra = i < 9;
    const int riga = sinistra ? i : 17 - i;
    const double y = corpo.top() + passo * (riga + 0.5);
    const QRectF piedino = sinistra ? QRectF(corpo.left() - gamba, y - passo * 0.15, gamba, passo * 0.3)
                                    : QRectF(corpo.right(), y - passo * 0.15, gamba, passo * 0.3);
    p.setPen(QPen(Qt::black, 1));
    p.setBrush(QColor(200, 200, 200));
    p.drawRect(piedino);

    // Pin number inside the body.
    p.setPen(Qt::white);
    const QString numero = QString::number(i + 1);
    const double margine = 6;
    const QRectF casella = sinistra ? QRectF(corpo.left() + margine, y - passo / 2, larghezza / 2, passo)
                                    : QRectF(corpo.center().x(), y - passo / 2, larghezza / 2 - margine, passo);
    p.drawText(casella, (sinistra ? Qt::AlignLeft : Qt::AlignRight) | Qt::AlignVCenter, numero);

    // Pin name outside.
    p.setPen(Qt::black);
    const QString& nome = nomi[i];
    const double w = metriche.horizontalAdvance(nome);
    const double x = sinistra ? piedino.left() - 6 - w : piedino.right() + 6;
    const double base = y + metriche.ascent() / 2 - 1;
    p.drawText(QPointF(x, base), nome);
    if (nome == QLatin1String("MCLR"))
      p.drawLine(QPointF(x, base - metriche.ascent() - 1), QPointF(x + w, base - metriche.ascent() - 1));
  }

  // Part name along the body.
  p.save();
  p.translate(corpo.center());
  p.rotate(-90);
  QFont grande = font;
  grande.setBold(true);
  grande.setPixelSize(qMax(10, static_cast<int>(larghezza * 0.2)));
  p.setFont(grande);
  p.setPen(Qt::white);
  p.drawText(QRectF(-altezza / 2, -larghezza / 2, altezza, larghezza), Qt::AlignCenter,
             QStringLiteral("PIC16F84A"));
  p.restore();

  p.setPen(Qt::black);
  p.setFont(font);
  p.drawText(QRectF(0, 0, width(), corpo.top() - raggio - 2), Qt::AlignCenter,
             QStringLiteral("PIC16F84A - contenitore DIP a 18 piedini (vista dall'alto)"));
}

}  // namespace velmora::tools
