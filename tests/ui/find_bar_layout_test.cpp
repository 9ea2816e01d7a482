// SPDX-License-Identifier: GPL-3.0-or-later
// The find and replace bar under the BASIC pane of the main window, as the
// keys open it on common screens and in every layout that shows the pane:
// each control at least its own minimum size (so no caption is cut), every
// caption at 9 points or more, the bar whole inside the window and clear of
// the panes and the button rows.
#include "main_window.h"
#include "window_test.h"

using namespace velmora::ui;
using namespace velmora::test;

class FindBarLayoutTest : public QObject {
  Q_OBJECT

  QTemporaryDir radice_;

 private slots:
  void didascalie_data() {
    QTest::addColumn<QSize>("schermo");
    QTest::addColumn<QString>("tasti");  // F: Ctrl+F, H: Ctrl+H, E: Esc
    for (const QSize schermo : {QSize(1366, 768), QSize(1920, 1080)})
      for (const char* tasti : {"H", "F", "FH", "HF", "HEH"})
        QTest::addRow("%dx%d %s", schermo.width(), schermo.height(), tasti) << schermo << QString(tasti);
  }
  void didascalie() {
    QFETCH(QSize, schermo);
    QFETCH(QString, tasti);
    QString lavoro;
    const auto r = NuovoLavoro(radice_, lavoro);
    r->ambiente.schermo = [schermo] { return schermo; };
    MainWindow w(r->ambiente);
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    auto* barra = w.findChild<QWidget*>(QStringLiteral("BarraRicerca"));
    QVERIFY(barra);
    const bool sostituzione = tasti.endsWith(QLatin1Char('H'));

    // Side by side, stacked, the BASIC pane alone.
    for (int disposizione = 1; disposizione <= 3; ++disposizione) {
      while (w.ModoLayout() != disposizione) w.CambiaLayout();
      for (const QChar tasto : tasti) {
        const Qt::Key k = tasto == 'F' ? Qt::Key_F : tasto == 'H' ? Qt::Key_H : Qt::Key_Escape;
        QTest::keyClick(w.TextBasic(), k, tasto == 'E' ? Qt::NoModifier : Qt::ControlModifier);
      }
      QCoreApplication::processEvents();
      const QByteArray dove = QByteArray::number(disposizione);
      QVERIFY2(barra->isVisible(), dove);
      // The bar lies among the panes and button rows of the central area.
      QWidget* area = barra->parentWidget();
      QVERIFY2(area->rect().contains(barra->geometry()), dove);
      for (QWidget* c : area->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (c == barra || !c->isVisible()) continue;
        QVERIFY2(!c->geometry().intersects(barra->geometry()), dove + ' ' + c->objectName().toUtf8());
      }
      int didascalie = 0;
      for (QWidget* c : barra->findChildren<QWidget*>()) {
        if (!c->isVisibleTo(barra) || qobject_cast<QLayout*>(c) || c->metaObject()->className() == QByteArray("QWidget"))
          continue;
        const QByteArray nome = dove + ' ' + c->metaObject()->className() + ' ' + c->objectName().toUtf8();
        QVERIFY2(c->font().pointSizeF() >= 9.0, nome);
        QVERIFY2(c->width() >= c->minimumSizeHint().width(), nome);
        QVERIFY2(c->height() >= c->sizeHint().height(), nome);
        QVERIFY2(barra->rect().contains(QRect(c->mapTo(barra, QPoint()), c->size())), nome);
        if (qobject_cast<QAbstractButton*>(c) || (qobject_cast<QLabel*>(c) && !qobject_cast<QLabel*>(c)->text().isEmpty()))
          ++didascalie;
      }
      // Trova:, Precedente, Successivo, Maiuscole/minuscole, Chiudi; with
      // the replace row Sostituisci con:, Sostituisci, Sostituisci tutto.
      QCOMPARE(didascalie, sostituzione ? 8 : 5);
    }
  }
};

QTEST_MAIN(FindBarLayoutTest)
#include "find_bar_layout_test.moc"
