// SPDX-License-Identifier: GPL-3.0-or-later
// The BASIC editor: breakpoints from margin clicks and F8 and how they
// follow edits, the figures column cleared by an edit (and not by
// colouring), role highlights, going to and scrolling to a line, and the
// go-to-line dialog's limits.
#include "basic_highlighter.h"
#include "code_editor.h"
#include "go_to_line_dialog.h"

#include <QSignalSpy>
#include <QSpinBox>
#include <QTextBlock>
#include <QtTest>

using velmora::editor::BasicHighlighter;
using velmora::editor::CodeEditor;
using velmora::editor::GoToLineDialog;

namespace {

QString Lines(int n) {
  QStringList lines;
  for (int i = 1; i <= n; ++i) lines << QString("X = %1").arg(i);
  return lines.join('\n');
}

QRect LineRect(const CodeEditor& e, int line) {
  return e.cursorRect(QTextCursor(e.document()->findBlockByNumber(line - 1)));
}

bool Visible(const CodeEditor& e, int line) {
  return LineRect(e, line).top() >= 0 && LineRect(e, line).bottom() <= e.viewport()->height();
}

}  // namespace

class CodeEditorTest : public QObject {
  Q_OBJECT

 private slots:
  // Breakpoints on lines 2 and 5 of six (one on a line that does not exist
  // is dropped), an action, where they end up. "click" takes margin clicks
  // by line, 0 below the last line.
  void breakpoints_data() {
    QTest::addColumn<QString>("action");
    QTest::addColumn<QList<int>>("expected");
    QTest::newRow("click a line") << "click 3" << QList<int>{2, 3, 5};
    QTest::newRow("click a marked line") << "click 5" << QList<int>{2};
    QTest::newRow("click first and last") << "click 1 6" << QList<int>{1, 2, 5, 6};
    QTest::newRow("click below the text") << "click 0" << QList<int>{2, 5};
    QTest::newRow("line added above") << "insert 1" << QList<int>{3, 6};
    QTest::newRow("Enter at start of marked line") << "enter start 2" << QList<int>{3, 6};
    QTest::newRow("Enter at end of marked line") << "enter end 2" << QList<int>{2, 6};
    QTest::newRow("marked line deleted") << "delete 2" << QList<int>{4};
    QTest::newRow("typing in a marked line") << "type 5" << QList<int>{2, 5};
    QTest::newRow("text replaced") << "replace 1" << QList<int>{};
    QTest::newRow("F8 on line 3") << "f8 3" << QList<int>{2, 3, 5};
    QTest::newRow("F8 on a marked line") << "f8 5" << QList<int>{2};
  }
  void breakpoints() {
    QFETCH(QString, action);
    QFETCH(QList<int>, expected);
    CodeEditor e;
    e.setPlainText(Lines(6));
    e.setBreakpoints({2, 5, 40});
    QCOMPARE(e.breakpoints(), (QSet<int>{2, 5}));
    e.resize(400, 400);
    e.show();
    QVERIFY(QTest::qWaitForWindowExposed(&e));
    QSignalSpy changed(&e, &CodeEditor::breakpointsChanged);
    const QStringList op = action.split(' ');
    QTextCursor c(e.document()->findBlockByNumber(op.last().toInt() - 1));
    if (op[0] == "click") {
      QWidget* margin = e.findChild<QWidget*>("margineRighe");
      QVERIFY(margin != nullptr);
      for (const QString& line : op.mid(1)) {
        const int y = line != "0" ? LineRect(e, line.toInt()).center().y()
                                  : LineRect(e, 6).bottom() + 4 * e.fontMetrics().height();
        QTest::mouseClick(margin, Qt::LeftButton, {}, QPoint(4, y));
      }
    }
    if (op[0] == "insert") c.insertText("Y = 0\n");
    if (op[0] == "enter" && op[1] == "end") c.movePosition(QTextCursor::EndOfBlock);
    if (op[0] == "enter") c.insertText("\n");
    if (op[0] == "delete") {
      c.movePosition(QTextCursor::NextBlock, QTextCursor::KeepAnchor);
      c.removeSelectedText();
    }
    if (op[0] == "type") c.insertText("Z");
    if (op[0] == "replace") e.setPlainText(Lines(6));
    if (op[0] == "f8") {
      e.setTextCursor(c);
      QTest::keyClick(&e, Qt::Key_F8);
    }
    const QSet<int> want(expected.begin(), expected.end());
    QCOMPARE(e.breakpoints(), want);
    QCOMPARE(changed.isEmpty(), want == (QSet<int>{2, 5}));
    if (!changed.isEmpty()) QCOMPARE(changed.last().at(0).value<QSet<int>>(), want);
  }

  // Figures widen the margin; colouring leaves them, an edit clears them.
  void figuresClearedByEdit() {
    CodeEditor e;
    BasicHighlighter h(e.document());
    e.setPlainText(Lines(4));
    const int narrow = e.marginWidth();
    QSignalSpy cleared(&e, &CodeEditor::lineFiguresCleared);
    e.setLineFigures({{1, 3}, {2, 120}});
    QVERIFY(e.marginWidth() > narrow);
    h.setColours(Qt::black, Qt::white);  // recolours every block
    QCOMPARE(e.lineFigures().size(), 2);
    QCOMPARE(cleared.count(), 0);
    QTest::keyClick(&e, Qt::Key_A);
    QVERIFY(e.lineFigures().isEmpty());
    QCOMPARE(cleared.count(), 1);
    QCOMPARE(e.marginWidth(), narrow);
  }

  // Role lines become full-width extra selections in the role's colour,
  // over the current line.
  void roleHighlights() {
    CodeEditor e;
    e.setPlainText(Lines(8));
    e.setHighlightedLines(CodeEditor::LineRole::Linked, {2, 3});
    e.setHighlightedLines(CodeEditor::LineRole::Running, {6});
    QMap<int, QColor> painted;
    for (const QTextEdit::ExtraSelection& s : e.extraSelections()) {
      QVERIFY(s.format.property(QTextFormat::FullWidthSelection).toBool());
      painted[s.cursor.blockNumber() + 1] = s.format.background().color();
    }
    QCOMPARE(painted.value(1), e.currentLineColour());
    QCOMPARE(painted.value(2), e.roleColour(CodeEditor::LineRole::Linked));
    QCOMPARE(painted.value(6), e.roleColour(CodeEditor::LineRole::Running));
    e.setHighlightedLines(CodeEditor::LineRole::Linked, {});
    QCOMPARE(e.extraSelections().size(), 2);
  }

  // goToLine moves the cursor (clamped); scrollLineIntoView only scrolls;
  // the dialog's spin box stops at the line count.
  void goToLine() {
    CodeEditor e;
    e.setPlainText(Lines(100));
    e.resize(400, 200);
    e.show();
    QVERIFY(QTest::qWaitForWindowExposed(&e));
    for (const auto& [line, expected] : {std::pair{50, 50}, {500, 100}, {-3, 1}}) {
      e.goToLine(line);
      QCOMPARE(e.currentLine(), expected);
      QVERIFY(Visible(e, expected));
    }
    e.scrollLineIntoView(80);
    QVERIFY(Visible(e, 80));
    QCOMPARE(e.currentLine(), 1);
    GoToLineDialog d(12, 4);
    QCOMPARE(d.line(), 4);
    for (const auto& [typed, line] : {std::pair{99, 12}, {0, 1}}) {
      d.findChild<QSpinBox*>("riga")->setValue(typed);
      QCOMPARE(d.line(), line);
    }
  }
};

QTEST_MAIN(CodeEditorTest)
#include "code_editor_test.moc"
