// SPDX-License-Identifier: GPL-3.0-or-later
// Colour chooser: texts and bars kept in step, the sample, the palette pick
// and what OK and ANNULLA hand back.
#include "colour_chooser.h"
#include "window_test.h"

using velmora::ui::ColourChooser;
using namespace velmora::test;

namespace {

// Blue, green, red of one colour's bars.
QList<int> Barre(const ColourChooser& d, const QString& quale) {
  QList<int> valori;
  for (int i = 0; i < 3; ++i) valori << Figlio<QScrollBar>(d, "Colore" + quale + QString::number(i))->value();
  return valori;
}

QColor Campione(const ColourChooser& d, QPalette::ColorRole ruolo) {
  return Figlio<QLabel>(d, "Label1")->palette().color(ruolo);
}

}  // namespace

class ColourChooserTest : public QObject {
  Q_OBJECT

 private slots:
  // At open the caller's texts set the bars and the sample.
  void apertura() {
    ColourChooser d("000000", "FFFFC0");
    QCOMPARE(Barre(d, "Sfondo"), (QList<int>{255, 255, 192}));
    QCOMPARE(Barre(d, "Carattere"), (QList<int>{0, 0, 0}));
    QCOMPARE(Campione(d, QPalette::Window), QColor(192, 255, 255));
    QCOMPARE(Campione(d, QPalette::WindowText), QColor(0, 0, 0));
  }

  // Text to bars with Enter, then back to the text from the bars.
  void testoEBarre_data() {
    QTest::addColumn<QString>("campo");
    QTest::addColumn<QString>("digitato");
    QTest::addColumn<QString>("testo");
    QTest::newRow("FF is pure red") << "Carattere" << "FF" << "0000FF";
    QTest::newRow("lower case") << "Sfondo" << "c0ffee" << "C0FFEE";
    QTest::newRow("too long keeps last 6") << "Carattere" << "1234567" << "234567";
    QTest::newRow("non-hex pair reads 0") << "Carattere" << "zz10FF" << "0010FF";
    QTest::newRow("hex read up to bad digit") << "Sfondo" << "1z" << "000001";
  }
  void testoEBarre() {
    QFETCH(QString, campo);
    QFETCH(QString, digitato);
    QFETCH(QString, testo);
    ColourChooser d("808080", "808080");
    Invio(d, "RGB" + campo, digitato);
    auto* rgb = Figlio(d, "RGB" + campo);
    QCOMPARE(rgb->text(), testo);
    const QList<int> bgr = {testo.left(2).toInt(nullptr, 16), testo.mid(2, 2).toInt(nullptr, 16), testo.right(2).toInt(nullptr, 16)};
    QCOMPARE(Barre(d, campo), bgr);
    QCOMPARE(Campione(d, campo == "Carattere" ? QPalette::WindowText : QPalette::Window), QColor(bgr[2], bgr[1], bgr[0]));
    // Moving one bar rewrites the text at once.
    Figlio<QScrollBar>(d, "Colore" + campo + "1")->setValue(0x5A);
    QCOMPARE(rgb->text(), testo.left(2) + "5A" + testo.right(2));
  }

  // OK hands back the fields as they stand, ANNULLA (or Escape) two empty texts.
  void okEAnnulla_data() {
    QTest::addColumn<QString>("pulsante");
    QTest::addColumn<QStringList>("atteso");
    QTest::addColumn<int>("esito");
    QTest::newRow("OK") << "BTNOK" << QStringList{"00007F", "ffffc0"} << int(QDialog::Accepted);
    QTest::newRow("ANNULLA") << "BTNAnnulla" << QStringList{"", ""} << int(QDialog::Rejected);
    QTest::newRow("Escape") << "" << QStringList{"", ""} << int(QDialog::Rejected);
  }
  void okEAnnulla() {
    QFETCH(QString, pulsante);
    ColourChooser d("000000", "FFFFC0");
    Figlio<QScrollBar>(d, "ColoreCarattere2")->setValue(0x7F);
    Figlio(d, "RGBSfondo")->setText("ffffc0");  // typed, Enter not pressed
    if (pulsante.isEmpty()) QTest::keyClick(&d, Qt::Key_Escape);
    else Figlio<QPushButton>(d, pulsante)->click();
    QTEST(d.result(), "esito");
    QTEST((QStringList{d.HexCarattere(), d.HexSfondo()}), "atteso");
  }

  // A click on a field makes it the palette's target; the pixel under the
  // press, as shown on screen, becomes that colour.
  void tavolozza_data() {
    QTest::addColumn<QString>("bersaglio");  // field clicked first; empty: the default target
    QTest::addColumn<QPoint>("premuto");
    QTest::addColumn<QPoint>("rilasciato");
    QTest::newRow("default is text colour") << "" << QPoint(20, 60) << QPoint(20, 60);
    QTest::newRow("background") << "RGBSfondo" << QPoint(120, 40) << QPoint(120, 40);
    QTest::newRow("back to text") << "RGBCarattere" << QPoint(90, 120) << QPoint(90, 120);
    QTest::newRow("grey strip, moved") << "RGBSfondo" << QPoint(150, 180) << QPoint(10, 10);
  }
  void tavolozza() {
    QFETCH(QString, bersaglio);
    QFETCH(QPoint, premuto);
    QFETCH(QPoint, rilasciato);
    ColourChooser d("010203", "040506");
    d.show();
    QVERIFY(QTest::qWaitForWindowExposed(&d));
    auto* picture = Figlio<QLabel>(d, "Picture1");
    if (!bersaglio.isEmpty()) QTest::mouseClick(Figlio(d, bersaglio), Qt::LeftButton);
    const QString scelto = bersaglio.isEmpty() ? "Carattere" : bersaglio.mid(3);
    const QString altro = scelto == "Carattere" ? "Sfondo" : "Carattere";
    const QString prima = Figlio(d, "RGB" + altro)->text();
    QVERIFY(Figlio(d, "RGB" + scelto)->palette().color(QPalette::Base) !=
            Figlio(d, "RGB" + altro)->palette().color(QPalette::Base));

    const QColor pixel = picture->grab().toImage().pixelColor(premuto);
    QTest::mousePress(picture, Qt::LeftButton, {}, premuto);
    QTest::mouseRelease(picture, Qt::LeftButton, {}, rilasciato);
    QCOMPARE(Figlio(d, "RGB" + scelto)->text(), QString::asprintf("%02X%02X%02X", pixel.blue(), pixel.green(), pixel.red()));
    QCOMPARE(Barre(d, scelto), (QList<int>{pixel.blue(), pixel.green(), pixel.red()}));
    QCOMPARE(Figlio(d, "RGB" + altro)->text(), prima);
  }

  // The palette holds many colours, not a flat image.
  void tavolozzaVaria() {
    ColourChooser d("000000", "FFFFFF");
    const QImage immagine = Figlio<QLabel>(d, "Picture1")->pixmap().toImage();
    QSet<QRgb> colori;
    for (int y = 0; y < immagine.height(); y += 7)
      for (int x = 0; x < immagine.width(); x += 7) colori.insert(immagine.pixel(x, y));
    QVERIFY2(colori.size() > 300, qPrintable(QString::number(colori.size())));
  }
};

QTEST_MAIN(ColourChooserTest)
#include "colour_chooser_test.moc"
