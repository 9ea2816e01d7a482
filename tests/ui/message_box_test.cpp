// SPDX-License-Identifier: GPL-3.0-or-later
// The message box: the 15-tick self-close (driven tick by tick, no real
// waits), mouse movement restarting the count, the editors dimmed while it is
// open.
#include "message_box.h"
#include "settings.h"
#include "window_test.h"

using namespace velmora::ui;

namespace {

void MuoviMouse(QWidget* w) {
  QMouseEvent evento(QEvent::MouseMove, QPointF(5, 5), w->mapToGlobal(QPointF(5, 5)), Qt::NoButton,
                     Qt::NoButton, Qt::NoModifier);
  QApplication::sendEvent(w, &evento);
}

}  // namespace

class MessageBoxTest : public QObject {
  Q_OBJECT
 private slots:
  // Ticks before a mouse movement, ticks after it, where the mouse moves.
  void chiusuraDopoQuindiciTick_data() {
    QTest::addColumn<int>("primaDelMovimento");
    QTest::addColumn<int>("dopoIlMovimento");
    QTest::addColumn<QString>("dove");
    QTest::addColumn<bool>("chiuso");
    QTest::newRow("14 tick, resta aperto") << 14 << 0 << QString() << false;
    QTest::newRow("15 tick, si chiude") << 15 << 0 << QString() << true;
    QTest::newRow("mouse sul testo al 14, poi 14") << 14 << 14 << "testo" << false;
    QTest::newRow("mouse sul testo al 14, poi 15") << 14 << 15 << "testo" << true;
    QTest::newRow("mouse sulla finestra al 10, poi 14") << 10 << 14 << "finestra" << false;
    QTest::newRow("mouse sul pulsante al 14, poi 14") << 14 << 14 << "pulsante" << false;
  }
  void chiusuraDopoQuindiciTick() {
    QFETCH(int, primaDelMovimento);
    QFETCH(int, dopoIlMovimento);
    QFETCH(QString, dove);
    MessageBox box(QStringLiteral("riga 1\r\nriga 2"));
    box.show();
    for (int i = 0; i < primaDelMovimento && box.isVisible(); ++i) box.Tick();
    if (!dove.isEmpty()) {
      QWidget* bersaglio = &box;
      if (dove == QLatin1String("testo")) bersaglio = box.findChild<QPlainTextEdit*>()->viewport();
      if (dove == QLatin1String("pulsante")) bersaglio = box.PulsanteOk();
      MuoviMouse(bersaglio);
      QCOMPARE(box.Conteggio(), 0);
    }
    for (int i = 0; i < dopoIlMovimento && box.isVisible(); ++i) box.Tick();
    QTEST(!box.isVisible(), "chiuso");
  }

  // Lines ended by CR LF show as lines, with no stray characters; the
  // one-second tick runs from the start; OK closes the box.
  void testoTimerEOk() {
    MessageBox box(QStringLiteral("<*> ERRORE : Istruzione non risolta\r\n---istruzione---\r\nFOO è"));
    QCOMPARE(box.Testo(), QStringLiteral("<*> ERRORE : Istruzione non risolta\n---istruzione---\nFOO è"));
    QCOMPARE(box.Timer()->interval(), 1000);
    QVERIFY(box.Timer()->isActive());
    box.show();
    QTest::mouseClick(box.PulsanteOk(), Qt::LeftButton);
    QVERIFY(!box.isVisible());
  }

  // While the box is open both editors are RGB(70,70,70); afterwards each has
  // the colour it had just before, also a colour the user chose meanwhile.
  void oscuraERipristinaGliEditori() {
    QWidget finestra;
    auto* basic = new QPlainTextEdit(&finestra);
    auto* assembly = new QPlainTextEdit(&finestra);
    ImpostaSfondo(basic, InteroDaColore(QColor(12, 34, 56)));
    ImpostaSfondo(assembly, InteroDaColore(QColor(224, 224, 224)));
    Ambiente ambiente;
    ambiente.daOscurare = {basic, assembly};

    QList<QColor> durante;
    QString mostrato;
    ambiente.allaComparsa = [&](QDialog& d) {
      auto& box = static_cast<MessageBox&>(d);
      durante << basic->palette().color(QPalette::Base) << assembly->palette().color(QPalette::Base);
      mostrato = box.Testo();
      for (int i = 0; i < MessageBox::kTickChiusura; ++i) box.Tick();
    };
    MostraMessaggio(ambiente, QStringLiteral("Rapporto"));
    QCOMPARE(mostrato, QStringLiteral("Rapporto"));
    QCOMPARE(durante, (QList<QColor>{QColor(70, 70, 70), QColor(70, 70, 70)}));
    QCOMPARE(basic->palette().color(QPalette::Base), QColor(12, 34, 56));
    QCOMPARE(assembly->palette().color(QPalette::Base), QColor(224, 224, 224));

    ImpostaSfondo(basic, InteroDaColore(QColor(1, 2, 3)));
    ambiente.allaComparsa = [](QDialog& d) { static_cast<MessageBox&>(d).PulsanteOk()->click(); };
    MostraMessaggio(ambiente, QStringLiteral("Ancora"));
    QCOMPARE(basic->palette().color(QPalette::Base), QColor(1, 2, 3));
  }
};

QTEST_MAIN(MessageBoxTest)
#include "message_box_test.moc"
