// SPDX-License-Identifier: GPL-3.0-or-later
// The panes' colouring: the kind of each token of sample BASIC and assembly
// lines (read back from the block layouts) and token colours readable on
// any background.
#include "assembly_highlighter.h"
#include "basic_highlighter.h"
#include "editor_colours.h"

#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>
#include <QtTest>

using velmora::editor::AssemblyHighlighter;
using velmora::editor::BasicHighlighter;
using velmora::editor::BestContrast;
using velmora::editor::ContrastRatio;
using velmora::editor::TokenKind;

namespace {

constexpr int kPlain = -1;
using Tokens = QList<std::pair<QString, int>>;

// The kind painted at document position `pos`, kPlain when no token format
// covers it.
template <class Highlighter>
int KindAt(const Highlighter& h, const QTextDocument& doc, int pos) {
  const QTextBlock block = doc.findBlock(pos);
  for (const QTextLayout::FormatRange& r : block.layout()->formats()) {
    if (pos - block.position() < r.start || pos - block.position() >= r.start + r.length) continue;
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
  // Each row: a line and tokens in it, each searched after the previous
  // one, with the kind every character of the token must have.
  void tokenKinds_data() {
    QTest::addColumn<bool>("assembly");  // the assembly pane's colouring, else the BASIC one
    QTest::addColumn<QString>("line");
    QTest::addColumn<Tokens>("tokens");
    const int kw = int(TokenKind::Keyword), word = int(TokenKind::Word), num = int(TokenKind::Number),
              str = int(TokenKind::String), com = int(TokenKind::Comment), lab = int(TokenKind::Label),
              asmk = int(TokenKind::Assembly);
    QTest::newRow("DIM") << false << "DIM X AS BYTE" << Tokens{{"DIM", kw}, {"X", kPlain}, {"AS", word}, {"BYTE", word}};
    QTest::newRow("lower case") << false << "for i = 1 to 10 step 2" << Tokens{{"for", kw}, {"10", num}, {"step", word}};
    QTest::newRow("numbers, comment") << false << "X = 1.5 + &H1F + 0x0F + b'101' 'commento"
                                      << Tokens{{"1.5", num}, {"&H1F", num}, {"0x0F", num}, {"b'101'", num}, {"'commento", com}};
    QTest::newRow("whole-line comment") << false << "' tutto commento DIM 5" << Tokens{{"DIM 5", com}};
    QTest::newRow("string, number") << false << "DATA \"CIAO 'x\", 0" << Tokens{{"\"CIAO 'x\"", str}, {"0", num}};
    QTest::newRow("labels") << false << "CICLO:\n  START: A = 1\nGOTO CICLO"
                            << Tokens{{"CICLO:", lab}, {"START:", lab}, {"CICLO", lab}};
    QTest::newRow("names") << false << "SET B3\nDOPPIO = 2\nW#D1 = 2" << Tokens{{"B3", kPlain}, {"DOPPIO", kPlain}, {"W#D1", kPlain}};
    QTest::newRow("DIV10R whole word") << false << "Y = DIV10R(X)" << Tokens{{"DIV10R", kw}};
    QTest::newRow("ASM( contents") << false << "ASM(MOVLW 0x0F)" << Tokens{{"MOVLW 0x0F", asmk}};
    QTest::newRow("operator word") << false << "IF X = 1 AND Y = 2 THEN" << Tokens{{"AND", word}};
    // An ASM{ ... } block colours its lines as assembly until the line with "}".
    QTest::newRow("ASM{ block") << false << "ASM{\n  MOVLW 5 ' carico\n  MOVWF X }\nDIM Y AS BYTE"
                                << Tokens{{"MOVLW 5", asmk}, {"' carico", com}, {"MOVWF X", asmk}, {"DIM", kw}};
    // The translator's output and a hand edit of it, in the assembler's syntax.
    QTest::newRow("asm equate") << true << "CONTA   EQU 0x0C    ;BYTE(1-Byte)"
                                << Tokens{{"CONTA", lab}, {"EQU", word}, {"0x0C", num}, {";BYTE(1-Byte)", com}};
    QTest::newRow("asm label, jump") << true << "@12:    Movwf W#D2\n        GOTO $-2\n        CALL @@DV10"
                                     << Tokens{{"@12:", lab}, {"Movwf", kw}, {"W#D2", kPlain}, {"GOTO", kw}, {"$", num},
                                               {"2", num}, {"CALL", kw}, {"@@DV10", lab}};
    QTest::newRow("asm directives") << true << "        Include \"PIC16F84.DEF\"\n        __CONFIG b'11111111110001'"
                                    << Tokens{{"Include", word}, {"\"PIC16F84.DEF\"", str}, {"__CONFIG", word},
                                              {"b'11111111110001'", num}};
    QTest::newRow("asm operands") << true << "        BTFSS Reg_Status , Flag_C\n        DE 1, 0xFF"
                                  << Tokens{{"BTFSS", kw}, {"Reg_Status", kPlain}, {"Flag_C", kPlain}, {"DE", word},
                                            {"1", num}, {"0xFF", num}};
  }
  void tokenKinds() {
    QFETCH(bool, assembly);
    QFETCH(QString, line);
    QFETCH(Tokens, tokens);
    QTextDocument doc(line);
    BasicHighlighter basic(assembly ? nullptr : &doc);
    AssemblyHighlighter asmPane(assembly ? &doc : nullptr);
    qsizetype from = 0;
    for (const auto& [token, kind] : tokens) {
      const qsizetype at = line.indexOf(token, from);
      QVERIFY2(at >= 0, qPrintable(token));
      for (qsizetype p = at; p < at + token.size(); ++p) {
        if (line[p].isSpace()) continue;
        QCOMPARE(assembly ? KindAt(asmPane, doc, int(p)) : KindAt(basic, doc, int(p)), kind);
      }
      from = at + token.size();
    }
  }

  // Every token colour reaches the contrast target on backgrounds the
  // colour chooser allows: 4.5 wherever the background leaves room for a
  // hue, never below 3 (mid tones allow at most about 4.6 even for black).
  void readableColours() {
    // The design panes, extremes and mid tones (which allow the least room),
    // then a 6x6x6 grid.
    QList<QColor> backgrounds{QColor(192, 255, 255), QColor(224, 224, 224), Qt::white, Qt::black,
                              QColor(0, 0, 128), QColor(30, 30, 30), QColor(128, 128, 128),
                              QColor(119, 119, 119), QColor(255, 0, 0), QColor(0, 128, 255), QColor(0, 160, 0)};
    for (int r = 0; r < 256; r += 51)
      for (int g = 0; g < 256; g += 51)
        for (int b = 0; b < 256; b += 51) backgrounds << QColor(r, g, b);
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
    // On the design pair (blue text) no kind is blue like plain text, and the
    // kinds differ from each other (the kind tests above tell them by colour).
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
