// SPDX-License-Identifier: GPL-3.0-or-later
// The settings window: filling, Enter in each field, the bold boxes, "reset"
// and the colour chooser's answer, each seen in the values the window hands
// out (Anteprima while open, Valori and Modificato afterwards).
#include "colour_chooser.h"
#include "settings_window.h"
#include "window_test.h"

using namespace velmora::ui;
using namespace velmora::test;

namespace {

QStringList Campi(const SettingsWindow& form) {
  QStringList testi;
  for (int i = 0; i < 6; ++i) testi << form.Text1(i)->text();
  return testi;
}

// BASIC text colour, assembly background, BASIC size.
QString Valori(const Impostazioni& v) {
  return QStringLiteral("%1 %2 %3")
      .arg(ColoreDaIntero(v.ColoreCarattereBasic).name(), ColoreDaIntero(v.ColoreSfondoASM).name())
      .arg(double(v.FontSizeBasic));
}

}  // namespace

class SettingsWindowTest : public QObject {
  Q_OBJECT

  Impostazioni valori_;
  QList<Impostazioni> anteprime_;

  void Segui(SettingsWindow& form) {
    connect(&form, &SettingsWindow::Anteprima, this, [this](const Impostazioni& v) { anteprime_ << v; });
  }

 private slots:
  void init() {
    anteprime_.clear();
    valori_ = Impostazioni{};
    valori_.ColoreCarattereBasic = InteroDaColore(QColor(0, 0, 192));
    valori_.ColoreSfondoBasic = InteroDaColore(QColor(192, 255, 255));
    valori_.ColoreCarattereASM = InteroDaColore(QColor(128, 0, 0));
    valori_.ColoreSfondoASM = InteroDaColore(QColor(224, 224, 224));
    valori_.FontSizeBasic = 14.25f;
    valori_.FontSizeASM = 11;
    valori_.FontBoldASM = 1;
  }

  // Filled from the values; a bold box shows at once but is no change to
  // save; "reset" puts back its own set, as a change.
  void riempimentoEReset() {
    SettingsWindow form(valori_);
    Segui(form);
    QCOMPARE(Campi(form), (QStringList{"C00000", "000080", "FFFFC0", "E0E0E0", " 14.25", " 11"}));
    QVERIFY(!form.Check1(0)->isChecked() && form.Check1(1)->isChecked());
    form.show();
    form.Check1(0)->click();
    QCOMPARE(anteprime_.size(), 1);
    QCOMPARE(anteprime_[0].FontBoldBasic, qint16(1));
    QVERIFY(!form.Modificato());
    form.Text1(2)->setText(QStringLiteral("123456"));
    form.Reset();
    QCOMPARE(Campi(form), (QStringList{"000000", "000000", "FFFFC0", "E0E0E0", " 10", " 10"}));
    QVERIFY(!form.Check1(0)->isChecked() && !form.Check1(1)->isChecked());
    QVERIFY(form.Modificato());
    QCOMPARE(anteprime_.size(), 2);
    QCOMPARE(form.Valori().FontBoldASM, qint16(0));
    QCOMPARE(form.Valori().FontSizeASM, 10.0f);
    QCOMPARE(ColoreDaIntero(form.Valori().ColoreSfondoASM), QColor(224, 224, 224));
  }

  // Enter in field i with a text: the value it sets, shown at once.
  void invioNelCampo_data() {
    QTest::addColumn<int>("campo");
    QTest::addColumn<QString>("testo");
    QTest::addColumn<QString>("valori");
    QTest::newRow("carattere basic in minuscolo") << 0 << "ff" << "#ff0000 #e0e0e0 14.25";
    QTest::newRow("sfondo asm") << 3 << "0000FF" << "#0000c0 #ff0000 14.25";
    QTest::newRow("colore illeggibile") << 0 << "zz" << "#0000c0 #e0e0e0 14.25";
    QTest::newRow("dimensione 12") << 4 << "12" << "#0000c0 #e0e0e0 12";
    QTest::newRow("dimensione zero ignorata") << 4 << "0" << "#0000c0 #e0e0e0 14.25";
  }
  void invioNelCampo() {
    QFETCH(int, campo);
    QFETCH(QString, testo);
    SettingsWindow form(valori_);
    Segui(form);
    form.show();
    form.Text1(campo)->setText(testo);
    QTest::keyClick(form.Text1(campo), Qt::Key_Return);
    QVERIFY(form.isVisible());  // Enter never presses "reset" or closes the window
    QVERIFY(form.Modificato());
    QCOMPARE(anteprime_.size(), 1);
    QTEST(Valori(form.Valori()), "valori");
    QTEST(Valori(anteprime_[0]), "valori");
  }

  // The chooser gets the pair of the field's editor; OK sets both colours,
  // ANNULLA changes nothing.
  void sceltaColori_data() {
    QTest::addColumn<int>("campo");
    QTest::addColumn<bool>("conferma");
    QTest::newRow("sfondo basic, OK") << 2 << true;
    QTest::newRow("carattere asm, OK") << 1 << true;
    QTest::newRow("sfondo asm, ANNULLA") << 3 << false;
  }
  void sceltaColori() {
    QFETCH(int, campo);
    QFETCH(bool, conferma);
    const bool assembly = campo == 1 || campo == 3;
    SettingsWindow form(valori_);
    QStringList ricevuti;
    NelDialogo([&](QDialog* d) {
      auto* chooser = qobject_cast<ColourChooser*>(d);
      QVERIFY(chooser);
      auto* rgbCarattere = Figlio(*chooser, "RGBCarattere");
      auto* rgbSfondo = Figlio(*chooser, "RGBSfondo");
      ricevuti << rgbCarattere->text() << rgbSfondo->text();
      rgbCarattere->setText(QStringLiteral("010203"));
      rgbSfondo->setText(QStringLiteral("0a0b0c"));
      Figlio<QPushButton>(*chooser, conferma ? "BTNOK" : "BTNAnnulla")->click();
    });
    form.show();
    QTest::mouseDClick(form.Text1(campo), Qt::LeftButton);
    const QStringList attesi = assembly ? QStringList{"000080", "E0E0E0"} : QStringList{"C00000", "FFFFC0"};
    QCOMPARE(ricevuti, attesi);
    QCOMPARE(form.Modificato(), conferma);
    const Impostazioni& v = form.Valori();
    const qint32 carattere = assembly ? v.ColoreCarattereASM : v.ColoreCarattereBasic;
    const qint32 sfondo = assembly ? v.ColoreSfondoASM : v.ColoreSfondoBasic;
    QCOMPARE(form.Text1(assembly ? 1 : 0)->text(), conferma ? QStringLiteral("010203") : attesi[0]);
    QCOMPARE(ColoreDaIntero(carattere), conferma ? QColor(0x03, 0x02, 0x01) : QColor(128 * assembly, 0, 192 * !assembly));
    QCOMPARE(ColoreDaIntero(sfondo), conferma ? QColor(0x0C, 0x0B, 0x0A) : QColor(224, 224, 224));
  }
};

QTEST_MAIN(SettingsWindowTest)
#include "settings_window_test.moc"
