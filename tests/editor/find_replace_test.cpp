// Find and Replace bar on a plain-text editor: next/previous with wrap,
// match case, replace one, replace all as one undo step, the keys.
#include "find_replace_bar.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QVBoxLayout>
#include <QtTest>

using velmora::editor::FindReplaceBar;

class FindReplaceTest : public QObject {
  Q_OBJECT

 private slots:
  // A sequence of finds ('n' next, 'p' previous) and Sostituisci ('r':
  // replaces the selected match only, then selects the next; with nothing
  // selected it only finds), the selection start after each (-1: nothing
  // found) and the text at the end.
  void find_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("needle");
    QTest::addColumn<bool>("matchCase");
    QTest::addColumn<QString>("steps");
    QTest::addColumn<QList<int>>("starts");
    QTest::addColumn<QString>("after");
    const QString text = "SET A\nset a\nSet A";
    QTest::newRow("next, any case, wraps") << text << "set" << false << "nnnn" << QList<int>{0, 6, 12, 0} << text;
    QTest::newRow("next, match case") << text << "set" << true << "nn" << QList<int>{6, 6} << text;
    QTest::newRow("previous wraps to the end") << text << "SET" << false << "pp" << QList<int>{12, 6} << text;
    QTest::newRow("next then previous") << text << "a" << false << "nnp" << QList<int>{4, 10, 4} << text;
    QTest::newRow("not found") << text << "GOTO" << false << "n" << QList<int>{-1} << text;
    QTest::newRow("replace one") << "A = 1\nB = 1\nA = 2" << "A" << true << "rr" << QList<int>{0, 12}
                                 << "C = 1\nB = 1\nA = 2";
  }
  void find() {
    QFETCH(QString, text);
    QFETCH(QString, needle);
    QFETCH(bool, matchCase);
    QFETCH(QString, steps);
    QFETCH(QList<int>, starts);
    QPlainTextEdit editor(text);
    FindReplaceBar bar(&editor);
    bar.setFindText(needle);
    bar.setReplaceText("C");
    bar.setMatchCase(matchCase);
    for (int i = 0; i < steps.size(); ++i) {
      const bool found = steps[i] == 'n' ? bar.findNext() : steps[i] == 'p' ? bar.findPrevious() : bar.replace();
      QCOMPARE(found, starts[i] >= 0);
      if (!found) {
        QCOMPARE(bar.status(), QString("Non trovato"));
        continue;
      }
      QCOMPARE(editor.textCursor().selectionStart(), starts[i]);
      QCOMPARE(editor.textCursor().selectedText().compare(needle, Qt::CaseInsensitive), 0);
    }
    QTEST(editor.toPlainText(), "after");
  }

  void replaceAll_data() {
    QTest::addColumn<QString>("needle");
    QTest::addColumn<QString>("replacement");
    QTest::addColumn<bool>("matchCase");
    QTest::addColumn<QString>("expected");
    QTest::addColumn<int>("count");
    QTest::addColumn<QString>("status");
    QTest::newRow("any case") << "x" << "CONTA" << false << "CONTA = CONTA + 1\nCONTA = 0" << 3 << "3 sostituzioni";
    QTest::newRow("match case") << "x" << "Y" << true << "X = Y + 1\nY = 0" << 2 << "2 sostituzioni";
    QTest::newRow("replacement contains the needle")
        << "X" << "XX" << true << "XX = x + 1\nx = 0" << 1 << "1 sostituzione";
    QTest::newRow("none") << "Z" << "W" << false << "X = x + 1\nx = 0" << 0 << "0 sostituzioni";
  }
  void replaceAll() {
    QFETCH(QString, needle);
    QFETCH(QString, replacement);
    QFETCH(bool, matchCase);
    QFETCH(int, count);
    const QString original = "X = x + 1\nx = 0";
    QPlainTextEdit editor(original);
    FindReplaceBar bar(&editor);
    bar.setFindText(needle);
    bar.setReplaceText(replacement);
    bar.setMatchCase(matchCase);
    QCOMPARE(bar.replaceAll(), count);
    QTEST(editor.toPlainText(), "expected");
    QTEST(bar.status(), "status");
    if (count == 0) return;
    editor.undo();  // one step takes back every replacement
    QCOMPARE(editor.toPlainText(), original);
  }

  // Ctrl+F opens the find row with the selected word, Ctrl+H adds the
  // replace row, Esc closes and gives the editor the focus back.
  void keys() {
    QWidget window;
    auto* editor = new QPlainTextEdit("DIM CONTA AS BYTE", &window);
    auto* bar = new FindReplaceBar(editor, &window);
    auto* layout = new QVBoxLayout(&window);
    layout->addWidget(editor);
    layout->addWidget(bar);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QTextCursor c = editor->textCursor();
    c.setPosition(4);
    c.setPosition(9, QTextCursor::KeepAnchor);
    editor->setTextCursor(c);
    auto* findText = bar->findChild<QLineEdit*>("testoTrova");
    auto* replaceText = bar->findChild<QLineEdit*>("testoSostituisci");
    QVERIFY(!bar->isVisible());
    QTest::keyClick(editor, Qt::Key_F, Qt::ControlModifier);
    QVERIFY(bar->isVisible());
    QCOMPARE(findText->text(), QString("CONTA"));
    QVERIFY(!replaceText->isVisible());
    QTest::keyClick(findText, Qt::Key_H, Qt::ControlModifier);
    QVERIFY(replaceText->isVisible());
    QTest::keyClick(findText, Qt::Key_Escape);
    QVERIFY(!bar->isVisible());
    QCOMPARE(editor->toPlainText(), QString("DIM CONTA AS BYTE"));
  }
};

QTEST_MAIN(FindReplaceTest)
#include "find_replace_test.moc"
