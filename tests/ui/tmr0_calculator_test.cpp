// The TMR0 calculator: results and units, the validation label, arithmetic errors.
#include <QLabel>
#include <QLineEdit>
#include <QTimer>
#include <QPlainTextEdit>
#include <QtTest>

#include "tmr0_calculator.h"

using velmora::tools::Tmr0Calculator;

namespace {

const QString kMicro = QString::fromUtf8("\u00B5-sec");

QLineEdit* Campo(QWidget& w, const char* nome) { return w.findChild<QLineEdit*>(nome); }
QLabel* Etichetta(QWidget& w, const char* nome) { return w.findChild<QLabel*>(nome); }

// The 3-second label timer runs out.
void ScadeTimer(QWidget& w) {
  QTimer* timer = w.findChild<QTimer*>("TimerErrore");
  QVERIFY(timer);
  timer->stop();
  QMetaObject::invokeMethod(timer, "timeout");
}

}  // namespace

class Tmr0CalculatorTest : public QObject {
  Q_OBJECT

 private slots:
  void init() {
    messaggi_.clear();
    ambiente_.messaggio = [this](const QString& t) { messaggi_ << t; };
  }

  void risultato_data() {
    QTest::addColumn<QString>("quarzo");
    QTest::addColumn<QString>("prescaler");
    QTest::addColumn<QString>("tmr0");
    QTest::addColumn<QString>("frequenza");
    QTest::addColumn<QString>("unitaFrequenza");
    QTest::addColumn<QString>("periodo");
    QTest::addColumn<QString>("unitaPeriodo");
    QTest::newRow("slowest at 4 MHz") << "4" << "256" << "0" << " 15.2587890625" << "Hz" << " 65.536" << "m-sec";
    QTest::newRow("5 KHz") << "4" << "1" << "56" << " 5" << "KHz" << " 200" << kMicro;
    QTest::newRow("reload 255") << "4" << "256" << "255" << " 3.90625" << "KHz" << " 256" << kMicro;
    QTest::newRow("exactly 1000 Hz") << "4" << "4" << "6" << " 1" << "KHz" << " 1000" << kMicro;
    QTest::newRow("999 Hz") << "3.996" << "4" << "6" << " 999" << "Hz" << " 1.001001001001" << "m-sec";
    QTest::newRow("MHz range") << "20" << "1" << "255" << " 5" << "MHz" << " 200" << "n-sec";
    QTest::newRow("text after the number") << "4 MHz" << " 2 " << "0" << " 1.953125" << "KHz" << " 512" << kMicro;
  }
  void risultato() {
    QFETCH(QString, quarzo);
    QFETCH(QString, prescaler);
    QFETCH(QString, tmr0);
    Tmr0Calculator w(ambiente_, quarzo, prescaler, tmr0);
    QTEST(Campo(w, "FrequenzaCall")->text(), "frequenza");
    QTEST(Etichetta(w, "FattoreFrequenza")->text(), "unitaFrequenza");
    QTEST(Campo(w, "PeriodoCall")->text(), "periodo");
    QTEST(Etichetta(w, "FattorePeriodo")->text(), "unitaPeriodo");
    QVERIFY(Etichetta(w, "Errore")->isHidden());
    // The remembered texts are the trimmed fields.
    QCOMPARE(w.ValoreFrequenza(), quarzo.trimmed());
    QCOMPARE(w.ValorePrescaler(), prescaler.trimmed());
    QCOMPARE(w.ValoreTMR0(), tmr0.trimmed());
    QVERIFY(messaggi_.isEmpty());
  }

  // Invalid inputs: the red label for 3 seconds, the results unchanged.
  void validazione_data() {
    QTest::addColumn<QString>("quarzo");
    QTest::addColumn<QString>("prescaler");
    QTest::addColumn<QString>("tmr0");
    QTest::newRow("prescaler 257") << "4" << "257" << "0";
    QTest::newRow("negative prescaler") << "4" << "-1" << "0";
    QTest::newRow("empty prescaler") << "4" << "  " << "0";
    QTest::newRow("TMR0 256") << "4" << "256" << "256";
    QTest::newRow("negative TMR0") << "4" << "256" << "-3";
    QTest::newRow("empty TMR0") << "4" << "256" << "";
    QTest::newRow("empty crystal") << "" << "256" << "0";
    QTest::newRow("negative crystal") << "-4" << "256" << "0";
  }
  void validazione() {
    QFETCH(QString, quarzo);
    QFETCH(QString, prescaler);
    QFETCH(QString, tmr0);
    Tmr0Calculator w(ambiente_, "4", "256", "0");
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    auto* spiegazione = w.findChild<QPlainTextEdit*>("Text1");
    const QRect prima = spiegazione->geometry();
    Campo(w, "Frequenza")->setText(quarzo);
    Campo(w, "Prescaler")->setText(prescaler);
    Campo(w, "TMR0")->setText(tmr0);
    QTest::keyClick(Campo(w, "TMR0"), Qt::Key_Return);

    QLabel* errore = Etichetta(w, "Errore");
    QVERIFY(errore->isVisible());
    // The red label takes its own place: the explanation keeps its size and place.
    QCoreApplication::processEvents();
    QCOMPARE(spiegazione->geometry(), prima);
    QCOMPARE(errore->text(), QString("ERRORE: VI SONO CAMPI VUOTI, NEGATIVI OPPURE NON DEFINITI O ERRATI."));
    QTimer* timer = w.findChild<QTimer*>("TimerErrore");
    QVERIFY(timer->isActive());
    QCOMPARE(timer->interval(), 3000);
    QCOMPARE(Campo(w, "FrequenzaCall")->text(), QString(" 15.2587890625"));
    QCOMPARE(Campo(w, "PeriodoCall")->text(), QString(" 65.536"));
    // Invalid values are remembered too.
    QCOMPARE(w.ValorePrescaler(), prescaler.trimmed());
    QVERIFY(messaggi_.isEmpty());

    ScadeTimer(w);
    QVERIFY(!errore->isVisible());
  }

  void campiVuotiAllApertura() {
    Tmr0Calculator w(ambiente_, "", "", "");
    w.show();
    QVERIFY(Etichetta(w, "Errore")->isVisible());
    QVERIFY(Campo(w, "FrequenzaCall")->text().isEmpty());
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
    Tmr0Calculator w(ambiente_, quarzo, prescaler, "0");
    QCOMPARE(messaggi_.size(), 1);
    QCOMPARE(messaggi_.first(), QString::fromUtf8("Si è verificato il seguente errore:\nDivisione per zero"));
    for (const char* nome : {"Frequenza", "Prescaler", "TMR0"}) QVERIFY(Campo(w, nome)->text().isEmpty());
    QVERIFY(Etichetta(w, "Errore")->isHidden());
  }

  // Enter in any field recalculates with the new values.
  void invioRicalcola() {
    Tmr0Calculator w(ambiente_, "4", "256", "0");
    for (const char* nome : {"Frequenza", "Prescaler", "TMR0"}) {
      Campo(w, "Frequenza")->setText(nome == QLatin1String("Frequenza") ? "8" : "4");
      Campo(w, "Prescaler")->setText(nome == QLatin1String("Prescaler") ? "128" : "256");
      Campo(w, "TMR0")->setText(nome == QLatin1String("TMR0") ? "128" : "0");
      QTest::keyClick(Campo(w, nome), Qt::Key_Return);
      QCOMPARE(Campo(w, "FrequenzaCall")->text(), QString(" 30.517578125"));
      QCOMPARE(Campo(w, "PeriodoCall")->text(), QString(" 32.768"));
    }
    QCOMPARE(w.ValoreTMR0(), QString("128"));
  }

 private:
  QStringList messaggi_;
  velmora::ui::Ambiente ambiente_;
};

QTEST_MAIN(Tmr0CalculatorTest)
#include "tmr0_calculator_test.moc"
