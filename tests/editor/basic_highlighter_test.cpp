// Dialect colouring: the kind of each token of sample lines (read back from
// the block layouts) and token colours readable on any background.
#include "basic_highlighter.h"
#include "editor_colours.h"

#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>
#include <QtTest>

using velmora::editor::BasicHighlighter;
using velmora::editor::BestContrast;
using velmora::editor::ContrastRatio;
using velmora::editor::TokenKind;

namespace {

constexpr int kPlain = -1;

// The kind painted at `pos` of `block`, kPlain when no token format covers it.
int KindAt(const BasicHighlighter& h, const QTextBlock& block, int pos) {
  for (const QTextLayout::FormatRange& r : block.layout()->formats()) {
    if (pos < r.start || pos >= r.start + r.length) continue;
    for (int k = 0; k < velmora::editor::kTokenKinds; ++k) {
      if (r.format.foreground() == h.format(static_cast<TokenKind>(k)).foreground()) return k;
    }
  }
  return kPlain;
}

}  // namespace

class BasicHighlighterTest : public QObject {
  Q_OBJECT

 private slots:
  // Each row: a line, a token in it (its first occurrence at or after
  // `from`) and the kind every character of the token must have.
  void tokenKinds_data() {
    QTest::addColumn<QString>("line");
    QTest::addColumn<QString>("token");
    QTest::addColumn<int>("from");
    QTest::addColumn<int>("kind");
    const int kw = int(TokenKind::Keyword), word = int(TokenKind::Word), num = int(TokenKind::Number),
              str = int(TokenKind::String), com = int(TokenKind::Comment), lab = int(TokenKind::Label),
              asmk = int(TokenKind::Assembly);
    QTest::newRow("DIM keyword") << "DIM X AS BYTE" << "DIM" << 0 << kw;
    QTest::newRow("AS statement word") << "DIM X AS BYTE" << "AS" << 0 << word;
    QTest::newRow("type word") << "DIM X AS BYTE" << "BYTE" << 0 << word;
    QTest::newRow("variable plain") << "DIM X AS BYTE" << "X" << 0 << kPlain;
    QTest::newRow("lower case keyword") << "for i = 1 to 10 step 2" << "for" << 0 << kw;
    QTest::newRow("lower case word") << "for i = 1 to 10 step 2" << "step" << 0 << word;
    QTest::newRow("decimal") << "for i = 1 to 10 step 2" << "10" << 0 << num;
    QTest::newRow("decimal fraction") << "MISURA = 1.5" << "1.5" << 0 << num;
    QTest::newRow("&H hex") << "X = &H1F + 3" << "&H1F" << 0 << num;
    QTest::newRow("0x hex") << "X = 0x0F" << "0x0F" << 0 << num;
    QTest::newRow("binary") << "x = b'101' 'commento" << "b'101'" << 0 << num;
    QTest::newRow("comment after binary") << "x = b'101' 'commento" << "'commento" << 0 << com;
    QTest::newRow("whole-line comment") << "' tutto commento DIM 5" << "DIM 5" << 0 << com;
    QTest::newRow("string") << "DATA \"CIAO 'x\", 0" << "\"CIAO 'x\"" << 0 << str;
    QTest::newRow("number after string") << "DATA \"CIAO 'x\", 0" << "0" << 5 << num;
    QTest::newRow("ASC of a string") << "C = ASC(\"A\")" << "\"A\"" << 0 << str;
    QTest::newRow("label line") << "CICLO:" << "CICLO:" << 0 << lab;
    QTest::newRow("label before statement") << "  START: A = 1" << "START:" << 0 << lab;
    QTest::newRow("GOTO target") << "GOTO CICLO" << "CICLO" << 0 << lab;
    QTest::newRow("digits inside a name") << "SET B3" << "B3" << 0 << kPlain;
    QTest::newRow("DIV10R whole word") << "Y = DIV10R(X)" << "DIV10R" << 0 << kw;
    QTest::newRow("name starting with a keyword") << "DOPPIO = 2" << "DOPPIO" << 0 << kPlain;
    QTest::newRow("work byte") << "W#D1 = 2" << "W#D1" << 0 << kPlain;
    QTest::newRow("ASM( contents") << "ASM(MOVLW 0x0F)" << "MOVLW 0x0F" << 0 << asmk;
    QTest::newRow("operator word") << "IF X = 1 AND Y = 2 THEN" << "AND" << 0 << word;
    QTest::newRow("interrupt words") << "ON TIMER INTERRUPT CALL TEMPO" << "INTERRUPT" << 0 << word;
  }
  void tokenKinds() {
    QFETCH(QString, line);
    QFETCH(QString, token);
    QFETCH(int, from);
    QFETCH(int, kind);
    QTextDocument doc(line);
    BasicHighlighter h(&doc);
    const int at = static_cast<int>(line.indexOf(token, from));
    QVERIFY(at >= 0);
    for (int p = at; p < at + token.size(); ++p) {
      if (line[p].isSpace()) continue;
      QCOMPARE(KindAt(h, doc.firstBlock(), p), kind);
    }
  }

  // An ASM{ ... } block colours its lines as assembly until the line with "}".
  void asmBlock() {
    QTextDocument doc("ASM{\n  MOVLW 5 ' carico\n  MOVWF X }\nDIM Y AS BYTE");
    BasicHighlighter h(&doc);
    const QTextBlock second = doc.findBlockByNumber(1), third = doc.findBlockByNumber(2);
    QCOMPARE(KindAt(h, second, 2), int(TokenKind::Assembly));
    QCOMPARE(KindAt(h, second, 10), int(TokenKind::Comment));
    QCOMPARE(KindAt(h, third, 2), int(TokenKind::Assembly));
    QCOMPARE(KindAt(h, doc.findBlockByNumber(3), 0), int(TokenKind::Keyword));
  }

  // Every token colour reaches the contrast target on backgrounds the
  // colour chooser allows: 4.5 wherever the background leaves room for a
  // hue, never below 3 (mid tones allow at most about 4.6 even for black).
  void readableColours_data() {
    QTest::addColumn<QList<QColor>>("backgrounds");
    QTest::newRow("design BASIC pane") << QList<QColor>{QColor(192, 255, 255)};
    QTest::newRow("design ASM pane") << QList<QColor>{QColor(224, 224, 224)};
    QTest::newRow("light and dark") << QList<QColor>{Qt::white, Qt::black, QColor(0, 0, 128), QColor(30, 30, 30)};
    QTest::newRow("mid tones") << QList<QColor>{QColor(128, 128, 128), QColor(119, 119, 119), QColor(255, 0, 0),
                                                 QColor(0, 128, 255), QColor(0, 160, 0)};
    QList<QColor> grid;
    for (int r = 0; r < 256; r += 51)
      for (int g = 0; g < 256; g += 51)
        for (int b = 0; b < 256; b += 51) grid << QColor(r, g, b);
    QTest::newRow("6x6x6 grid") << grid;
  }
  void readableColours() {
    QFETCH(QList<QColor>, backgrounds);
    QTextDocument doc("DIM X AS BYTE");
    BasicHighlighter h(&doc);
    for (const QColor& bg : backgrounds) {
      h.setColours(bg, Qt::black);
      const double target = BestContrast(bg) >= 4.5 / 0.8 ? 4.5 : 3.0;
      for (int k = 0; k < velmora::editor::kTokenKinds; ++k) {
        const QColor c = h.format(static_cast<TokenKind>(k)).foreground().color();
        const double ratio = ContrastRatio(c, bg);
        if (ratio < target) QFAIL(qPrintable(QString("kind %1 %2 on %3: ratio %4").arg(k).arg(c.name(), bg.name()).arg(ratio)));
      }
    }
  }

  // On the design pair (blue text) no kind is blue like plain text, and the
  // kinds differ from each other (the kind tests above tell them by colour).
  void tokensStandApart() {
    QTextDocument doc("DIM X AS BYTE");
    BasicHighlighter h(&doc);
    const QColor text(0, 0, 192);
    h.setColours(QColor(192, 255, 255), text);
    QSet<QRgb> seen;
    for (int k = 0; k < velmora::editor::kTokenKinds; ++k) {
      const QColor c = h.format(static_cast<TokenKind>(k)).foreground().color().toHsl();
      seen.insert(c.rgb());
      const int diff = std::abs((c.hslHue() - text.toHsl().hslHue() + 540) % 360 - 180);
      QVERIFY2(diff >= 35 || c.hslSaturation() < 30, qPrintable(QString("kind %1 hue %2").arg(k).arg(c.hslHue())));
    }
    QCOMPARE(seen.size(), velmora::editor::kTokenKinds);
  }
};

QTEST_MAIN(BasicHighlighterTest)
#include "basic_highlighter_test.moc"
