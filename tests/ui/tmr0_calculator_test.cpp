// SPDX-License-Identifier: GPL-3.0-or-later
// The TMR0 calculator: results and units, the validation label, arithmetic errors.
#include "tmr0_calculator.h"
#include "window_test.h"

using velmora::tools::Tmr0Calculator;
using namespace velmora::test;

namespace {

const QString kMicro = QString::fromUtf8("\u00B5-sec");

// Frequency, its unit, period, its unit: as the window shows them.
QStringList Risultati(const QWidget& w) {
  return {Figlio(w, "FrequenzaCall")->text(), Figlio<QLabel>(w, "FattoreFrequenza")->text(),
          Figlio(w, "PeriodoCall")->text(), Figlio<QLabel>(w, "FattorePeriodo")->text()};
}

}  // namespace

class Tmr0CalculatorTest : public QObject {
  Q_OBJECT

  std::unique_ptr<Registro> r_;

 private slots:
  void init() { r_ = std::make_unique<Registro>(); }

  void risultato_data() {
    QTest::addColumn<QStringList>("ingressi");  // crystal, prescaler, TMR0
    QTest::addColumn<QStringList>("atteso");
    QTest::newRow("slowest at 4 MHz") << QStringList{"4", "256", "0"} << QStringList{" 15.2587890625", "Hz", " 65.536", "m-sec"};
    QTest::newRow("5 KHz") << QStringList{"4", "1", "56"} << QStringList{" 5", "KHz", " 200", kMicro};
    QTest::newRow("reload 255") << QStringList{"4", "256", "255"} << QStringList{" 3.90625", "KHz", " 256", kMicro};
    QTest::newRow("exactly 1000 Hz") << QStringList{"4", "4", "6"} << QStringList{" 1", "KHz", " 1000", kMicro};
    QTest::newRow("999 Hz") << QStringList{"3.996", "4", "6"} << QStringList{" 999", "Hz", " 1.001001001001", "m-sec"};
    QTest::newRow("exactly 1 MHz") << QStringList{"4", "1", "255"} << QStringList{" 1", "MHz", " 1000", "n-sec"};
    QTest::newRow("MHz range") << QStringList{"20", "1", "255"} << QStringList{" 5", "MHz", " 200", "n-sec"};
    QTest::newRow("text after the number") << QStringList{"4 MHz", " 2 ", "0"} << QStringList{" 1.953125", "KHz", " 512", kMicro};
  }
  void risultato() {
    QFETCH(QStringList, ingressi);
    Tmr0Calculator w(r_->ambiente, ingressi[0], ingressi[1], ingressi[2]);
    QTEST(Risultati(w), "atteso");
    QVERIFY(Figlio<QLabel>(w, "Errore")->isHidden());
    // The remembered texts are the trimmed fields.
    QCOMPARE((QStringList{w.ValoreFrequenza(), w.ValorePrescaler(), w.ValoreTMR0()}),
             (QStringList{ingressi[0].trimmed(), ingressi[1].trimmed(), ingressi[2].trimmed()}));
    QVERIFY(r_->messaggi.isEmpty());
  }

  // Invalid inputs: the red label for 3 seconds in a place of its own, the
  // results unchanged; empty fields at opening show it too.
  void validazione_data() {
    QTest::addColumn<QStringList>("ingressi");  // crystal, prescaler, TMR0
    QTest::newRow("prescaler 257") << QStringList{"4", "257", "0"};
    QTest::newRow("negative prescaler") << QStringList{"4", "-1", "0"};
    QTest::newRow("empty prescaler") << QStringList{"4", "  ", "0"};
    QTest::newRow("TMR0 256") << QStringList{"4", "256", "256"};
    QTest::newRow("negative TMR0") << QStringList{"4", "256", "-3"};
    QTest::newRow("empty TMR0") << QStringList{"4", "256", ""};
    QTest::newRow("empty crystal") << QStringList{"", "256", "0"};
    QTest::newRow("negative crystal") << QStringList{"-4", "256", "0"};
  }
  void validazione() {
    QFETCH(QStringList, ingressi);
    Tmr0Calculator w(r_->ambiente, "4", "256", "0");
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    auto* spiegazione = Figlio<QPlainTextEdit>(w, "Text1");
    const QRect prima = spiegazione->geometry();
    const QStringList risultati = Risultati(w);
    Figlio(w, "Frequenza")->setText(ingressi[0]);
    Figlio(w, "Prescaler")->setText(ingressi[1]);
    Invio(w, "TMR0", ingressi[2]);

    auto* errore = Figlio<QLabel>(w, "Errore");
    QVERIFY(errore->isVisible());
    QCoreApplication::processEvents();
    QCOMPARE(spiegazione->geometry(), prima);
    QCOMPARE(errore->text(), QString("ERRORE: VI SONO CAMPI VUOTI, NEGATIVI OPPURE NON DEFINITI O ERRATI."));
    auto* timer = Figlio<QTimer>(w, "TimerErrore");
    QVERIFY(timer->isActive() && timer->interval() == 3000);
    QCOMPARE(Risultati(w), risultati);
    QCOMPARE(w.ValorePrescaler(), ingressi[1].trimmed());  // invalid values are remembered too
    QVERIFY(r_->messaggi.isEmpty());
    timer->stop();
    QMetaObject::invokeMethod(timer, "timeout");
    QVERIFY(!errore->isVisible());

    Tmr0Calculator vuoto(r_->ambiente, "", "", "");
    vuoto.show();
    QVERIFY(Figlio<QLabel>(vuoto, "Errore")->isVisible());
    QVERIFY(Figlio(vuoto, "FrequenzaCall")->text().isEmpty());
  }

  // A zero divisor or crystal: message box and the three inputs emptied.
  void erroreAritmetico_data() {
    QTest::addColumn<QString>("quarzo");
    QTest::addColumn<QString>("prescaler");
    QTest::newRow("prescaler 0") << "4" << "0";
    QTest::newRow("prescaler not a number") << "4" << "abc";
    QTest::newRow("crystal 0") << "0" << "256";
  }
  void erroreAritmetico() {
    QFETCH(QString, quarzo);
    QFETCH(QString, prescaler);
    Tmr0Calculator w(r_->ambiente, quarzo, prescaler, "0");
    QCOMPARE(r_->messaggi, QStringList{QString::fromUtf8("Si è verificato il seguente errore:\nDivisione per zero")});
    for (const char* nome : {"Frequenza", "Prescaler", "TMR0"}) QVERIFY(Figlio(w, nome)->text().isEmpty());
    QVERIFY(Figlio<QLabel>(w, "Errore")->isHidden());
  }

  // Enter in any field recalculates with the new values.
  void invioRicalcola() {
    Tmr0Calculator w(r_->ambiente, "4", "256", "0");
    for (const QString nome : {"Frequenza", "Prescaler", "TMR0"}) {
      Figlio(w, "Frequenza")->setText(nome == "Frequenza" ? "8" : "4");
      Figlio(w, "Prescaler")->setText(nome == "Prescaler" ? "128" : "256");
      Figlio(w, "TMR0")->setText(nome == "TMR0" ? "128" : "0");
      QTest::keyClick(Figlio(w, nome), Qt::Key_Return);
      QCOMPARE(Risultati(w).mid(0, 3), (QStringList{" 30.517578125", "Hz", " 32.768"}));
    }
    QCOMPARE(w.ValoreTMR0(), QString("128"));
  }
};

QTEST_MAIN(Tmr0CalculatorTest)
#include "tmr0_calculator_test.moc"
