// What the main window shows from the translator's source lines, offscreen:
// the two panes linked both ways, the words column beside the BASIC editor,
// the cursor on the error's own line and the warnings under the report.
#include <QTemporaryDir>
#include <QTextBlock>
#include <QtTest>

#include "main_window.h"
#include "translator.h"
#include "window_test.h"

using namespace velmora::ui;
using velmora::editor::CodeEditor;

namespace {

using namespace velmora::test;

// Every line writes its own constant, so each instruction names its line.
const char* const kProgramma =
    "' costanti diverse\n"  // 1
    "DIM X AS BYTE\n"       // 2
    "DIM Y AS BYTE\n"       // 3
    "X = 5\n"               // 4
    "Y = 7 : X = 9\n"       // 5
    "END\n";                // 6

// The assembly pane's lines (from 1) that contain `testo`.
QSet<int> RigheCon(CodeEditor* pannello, const QString& testo) {
  QSet<int> righe;
  for (QTextBlock b = pannello->document()->begin(); b.isValid(); b = b.next())
    if (b.text().contains(testo)) righe.insert(b.blockNumber() + 1);
  return righe;
}

void CursoreSulla(CodeEditor* pannello, int riga) {
  pannello->setTextCursor(QTextCursor(pannello->document()->findBlockByNumber(riga - 1)));
}

}  // namespace

class LinkedPanesTest : public QObject {
  Q_OBJECT

  QTemporaryDir radice_;
  std::unique_ptr<Registro> r_;

 private slots:
  void init() { r_ = std::make_unique<Registro>(radice_.path()); }

  // A BASIC line lights its instructions; an instruction lights its line.
  // An edit of either pane unlinks them until the next Translate.
  void collegamentiNeiDueSensi_data() {
    QTest::addColumn<int>("rigaBasic");
    QTest::addColumn<QString>("istruzione");  // in the line's code only
    QTest::addColumn<QString>("altrui");      // in another line's code
    QTest::newRow("assegnazione") << 4 << "MOVLW 0x05" << "MOVLW 0x07";
    QTest::newRow("due istruzioni su una riga, la prima") << 5 << "MOVLW 0x07" << "MOVLW 0x05";
    QTest::newRow("due istruzioni su una riga, la seconda") << 5 << "MOVLW 0x09" << "MOVLW 0x05";
    QTest::newRow("END") << 6 << "SLEEP" << "MOVLW 0x09";
  }
  void collegamentiNeiDueSensi() {
    QFETCH(int, rigaBasic);
    QFETCH(QString, istruzione);
    QFETCH(QString, altrui);
    MainWindow w(r_->ambiente);
    CodeEditor* basic = w.TextBasic();
    CodeEditor* assembly = w.TextASM();
    basic->setPlainText(QString::fromLatin1(kProgramma));
    w.Command1();
    const auto collegate = [](CodeEditor* e) { return e->highlightedLines(CodeEditor::LineRole::Linked); };

    CursoreSulla(basic, rigaBasic);
    const QSet<int> righe = RigheCon(assembly, istruzione);
    QCOMPARE(righe.size(), 1);
    QVERIFY(collegate(assembly).contains(righe));
    QVERIFY(!collegate(assembly).intersects(RigheCon(assembly, altrui)));
    CursoreSulla(basic, 1);  // a comment has no code
    QCOMPARE(collegate(assembly), QSet<int>{});

    CursoreSulla(assembly, *righe.begin());
    QCOMPARE(collegate(basic), QSet<int>{rigaBasic});
    CursoreSulla(assembly, 1);  // the header belongs to no line
    QCOMPARE(collegate(basic), QSet<int>{});

    for (CodeEditor* modificato : {assembly, basic}) {
      w.Command1();
      CursoreSulla(assembly, *righe.begin());
      QVERIFY(!collegate(basic).isEmpty());
      modificato->moveCursor(QTextCursor::End);
      modificato->insertPlainText(QStringLiteral(" "));
      QCOMPARE(collegate(basic), QSet<int>{});
      QCOMPARE(collegate(assembly), QSet<int>{});
      CursoreSulla(basic, rigaBasic);
      CursoreSulla(assembly, *righe.begin());
      QCOMPARE(collegate(basic) + collegate(assembly), QSet<int>{});
    }
  }

  // Nothing before Translate; the translator's words per line after it;
  // gone after an edit, back after Translate, none after an error.
  void colonnaDelleParole() {
    MainWindow w(r_->ambiente);
    CodeEditor* basic = w.TextBasic();
    basic->setPlainText(QString::fromLatin1(kProgramma));
    QCOMPARE(basic->lineFigures(), (QMap<int, int>{}));
    w.Command1();
    velmora::Translator traduttore;
    QString crlf = QString::fromLatin1(kProgramma);
    crlf.replace(QLatin1Char('\n'), QLatin1String("\r\n"));
    QMap<int, int> attese;
    for (const velmora::LineWords& p : traduttore.Translate(crlf.toStdString(), {}).words) attese.insert(p.line, p.words);
    QVERIFY(attese.contains(4) && attese.contains(5) && !attese.contains(1));
    QCOMPARE(basic->lineFigures(), attese);
    basic->moveCursor(QTextCursor::End);
    basic->insertPlainText(QStringLiteral("\n"));
    QCOMPARE(basic->lineFigures(), (QMap<int, int>{}));
    w.Command1();
    QCOMPARE(basic->lineFigures(), attese);
    basic->setPlainText(QStringLiteral("FOO\nEND\n"));
    w.Command1();
    QCOMPARE(basic->lineFigures(), (QMap<int, int>{}));
  }

  // The cursor goes to the error's own line, where matching the statement's
  // text would find the first copy; warnings follow the report.
  void rigaDellErroreEAvvisi_data() {
    QTest::addColumn<QString>("testo");
    QTest::addColumn<int>("rigaCursore");  // from 1; 0: a translation without error
    QTest::addColumn<QString>("avviso");
    QTest::newRow("la stessa istruzione due volte, errata la seconda")
        << "DIM X AS BYTE\n' commento\nFOR X = 1 TO 2\nNEXT X\nNEXT X\nEND\n" << 5 << QString();
    QTest::newRow("avviso con la sua riga") << "DIM B AS BYTE\nB = 1\nEND\n" << 0 << "Avviso (riga 1): ";
  }
  void rigaDellErroreEAvvisi() {
    QFETCH(QString, testo);
    QFETCH(int, rigaCursore);
    QFETCH(QString, avviso);
    MainWindow w(r_->ambiente);
    w.TextBasic()->setPlainText(testo);
    w.Command1();
    QCOMPARE(r_->messaggi.size(), 1);
    if (rigaCursore > 0) {
      QCOMPARE(w.TextBasic()->currentLine(), rigaCursore);
      return;
    }
    const QStringList righe = r_->messaggi[0].split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
    QVERIFY2(righe.last().startsWith(avviso), qPrintable(r_->messaggi[0]));
    QVERIFY(righe.first().startsWith(QStringLiteral("Nome programma")));
  }
};

QTEST_MAIN(LinkedPanesTest)
#include "linked_panes_test.moc"
