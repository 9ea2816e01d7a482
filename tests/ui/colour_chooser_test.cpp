// Colour chooser: texts and bars kept in step, the sample, the palette pick
// and what OK and ANNULLA hand back.
#include "colour_chooser.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QtTest>

using velmora::ui::ColourChooser;

namespace {

template <typename T>
T* Figlio(ColourChooser& d, const QString& nome) {
  T* w = d.findChild<T*>(nome);
  if (w == nullptr) qFatal("control %s missing", qPrintable(nome));
  return w;
}

// Blue, green, red of one colour's bars.
QList<int> Barre(ColourChooser& d, const QString& quale) {
  QList<int> valori;
  for (int i = 0; i < 3; ++i) valori << Figlio<QScrollBar>(d, "Colore" + quale + QString::number(i))->value();
  return valori;
}

QColor Campione(ColourChooser& d, QPalette::ColorRole ruolo) {
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
    QTest::addColumn<QList<int>>("bgr");
    QTest::newRow("FF is pure red") << "Carattere" << "FF" << "0000FF" << QList<int>{0, 0, 255};
    QTest::newRow("lower case") << "Sfondo" << "c0ffee" << "C0FFEE" << QList<int>{0xC0, 0xFF, 0xEE};
    QTest::newRow("too long keeps last 6") << "Carattere" << "1234567" << "234567" << QList<int>{0x23, 0x45, 0x67};
    QTest::newRow("non-hex pair reads 0") << "Carattere" << "zz10FF" << "0010FF" << QList<int>{0, 0x10, 0xFF};
    QTest::newRow("hex read up to bad digit") << "Sfondo" << "1z" << "000001" << QList<int>{0, 0, 1};
  }
  void testoEBarre() {
    QFETCH(QString, campo);
    QFETCH(QString, digitato);
    QFETCH(QString, testo);
    QFETCH(QList<int>, bgr);
    ColourChooser d("808080", "808080");
    auto* rgb = Figlio<QLineEdit>(d, "RGB" + campo);
    rgb->setText(digitato);
    QTest::keyClick(rgb, Qt::Key_Return);
    QCOMPARE(rgb->text(), testo);
    QCOMPARE(Barre(d, campo), bgr);
    const QPalette::ColorRole ruolo = campo == "Carattere" ? QPalette::WindowText : QPalette::Window;
    QCOMPARE(Campione(d, ruolo), QColor(bgr[2], bgr[1], bgr[0]));

    // Moving one bar rewrites the text at once.
    Figlio<QScrollBar>(d, "Colore" + campo + "1")->setValue(0x5A);
    QCOMPARE(rgb->text().mid(2, 2), QString("5A"));
    QCOMPARE(rgb->text().left(2) + rgb->text().right(2), testo.left(2) + testo.right(2));
  }

  // OK hands back the fields as they stand, ANNULLA (or closing) two empty texts.
  void okEAnnulla_data() {
    QTest::addColumn<QString>("pulsante");
    QTest::addColumn<QString>("carattereAtteso");
    QTest::addColumn<QString>("sfondoAtteso");
    QTest::addColumn<int>("esito");
    QTest::newRow("OK") << "BTNOK" << "00007F" << "ffffc0" << int(QDialog::Accepted);
    QTest::newRow("ANNULLA") << "BTNAnnulla" << "" << "" << int(QDialog::Rejected);
    QTest::newRow("Escape") << "" << "" << "" << int(QDialog::Rejected);
  }
  void okEAnnulla() {
    QFETCH(QString, pulsante);
    ColourChooser d("000000", "FFFFC0");
    Figlio<QScrollBar>(d, "ColoreCarattere2")->setValue(0x7F);
    Figlio<QLineEdit>(d, "RGBSfondo")->setText("ffffc0");  // typed, Enter not pressed
    if (pulsante.isEmpty()) QTest::keyClick(&d, Qt::Key_Escape);
    else Figlio<QPushButton>(d, pulsante)->click();
    QTEST(d.result(), "esito");
    QTEST(d.HexCarattere(), "carattereAtteso");
    QTEST(d.HexSfondo(), "sfondoAtteso");
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
    if (!bersaglio.isEmpty()) QTest::mouseClick(Figlio<QLineEdit>(d, bersaglio), Qt::LeftButton);
    const QString scelto = bersaglio.isEmpty() ? "Carattere" : bersaglio.mid(3);
    const QString altro = scelto == "Carattere" ? "Sfondo" : "Carattere";
    const QString prima = Figlio<QLineEdit>(d, "RGB" + altro)->text();
    QVERIFY(Figlio<QLineEdit>(d, "RGB" + scelto)->palette().color(QPalette::Base) !=
            Figlio<QLineEdit>(d, "RGB" + altro)->palette().color(QPalette::Base));

    const QColor pixel = picture->grab().toImage().pixelColor(premuto);
    QTest::mousePress(picture, Qt::LeftButton, {}, premuto);
    QTest::mouseRelease(picture, Qt::LeftButton, {}, rilasciato);
    QCOMPARE(Figlio<QLineEdit>(d, "RGB" + scelto)->text(),
             QString::asprintf("%02X%02X%02X", pixel.blue(), pixel.green(), pixel.red()));
    QCOMPARE(Barre(d, scelto), (QList<int>{pixel.blue(), pixel.green(), pixel.red()}));
    QCOMPARE(Figlio<QLineEdit>(d, "RGB" + altro)->text(), prima);
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
