// SPDX-License-Identifier: GPL-3.0-or-later
#include "assembly_highlighter.h"

#include <QSet>

namespace velmora::editor {

namespace {

// The PIC16F84's 35 instructions and the two the assembler still accepts.
const QSet<QString>& Instructions() {
  static const QSet<QString> words = {
      "ADDWF", "ANDWF", "CLRF",  "CLRW",   "COMF",  "DECF",   "DECFSZ", "INCF",  "INCFSZ", "IORWF",
      "MOVF",  "MOVWF", "NOP",   "RLF",    "RRF",   "SUBWF",  "SWAPF",  "XORWF", "BCF",    "BSF",
      "BTFSC", "BTFSS", "ADDLW", "ANDLW",  "CALL",  "CLRWDT", "GOTO",   "IORLW", "MOVLW",  "RETFIE",
      "RETLW", "RETURN", "SLEEP", "SUBLW", "XORLW", "OPTION", "TRIS"};
  return words;
}

const QSet<QString>& Directives() {
  static const QSet<QString> words = {
      "EQU",     "ORG",   "END",     "INCLUDE", "#INCLUDE", "TITLE",    "SUBTITLE", "LIST",   "NOLIST",
      "PROCESSOR", "RADIX", "DE",    "DT",      "DW",       "DB",       "DATA",     "__CONFIG", "CBLOCK",
      "ENDC",    "SET",   "CONSTANT", "VARIABLE", "#DEFINE", "#UNDEFINE", "IF",     "IFDEF",  "IFNDEF",
      "ELSE",    "ENDIF", "MACRO",   "ENDM",    "LOCAL",    "EXITM",    "BANKSEL", "PAGESEL", "ERRORLEVEL",
      "MESSG",   "ERROR", "SPACE",   "PAGE",    "EXPAND",   "NOEXPAND", "FILL",    "RES",    "__BADRAM",
      "__MAXRAM", "__IDLOCS"};
  return words;
}

bool IsNameChar(QChar c) {
  return c.isLetterOrNumber() || c == u'_' || c == u'@' || c == u'#' || c == u'.' || c == u'?';
}
bool IsHex(QChar c) { return c.isDigit() || (c.toUpper() >= u'A' && c.toUpper() <= u'F'); }

}  // namespace

AssemblyHighlighter::AssemblyHighlighter(QTextDocument* document)
    : TokenHighlighter(document, QColor(224, 224, 224), QColor(0, 0, 0)) {
  rehighlight();
}

void AssemblyHighlighter::highlightBlock(const QString& text) {
  const qsizetype n = text.size();
  qsizetype i = 0;
  // A name in the first column is a label (or the name an EQU defines).
  if (n > 0 && !text[0].isSpace() && text[0] != u';') {
    while (i < n && IsNameChar(text[i])) ++i;
    if (i < n && text[i] == u':') ++i;
    paint(0, i, TokenKind::Label);
  }
  bool jumpTarget = false;
  while (i < n) {
    const QChar c = text[i];
    if (c == u';') {
      paint(i, n, TokenKind::Comment);
      return;
    }
    if (c == u'"') {
      i = paintString(text, i);
      continue;
    }
    const bool wordStart = i == 0 || !IsNameChar(text[i - 1]);
    // b'0101', H'FF', D'12', O'17', A'x': a radix letter and a quoted value.
    if (wordStart && i + 1 < n && text[i + 1] == u'\'' && QStringLiteral("BHDOA").contains(c.toUpper())) {
      const qsizetype close = text.indexOf(u'\'', i + 2);
      if (close > i + 2) {
        paint(i, close + 1, TokenKind::Number);
        i = close + 1;
        continue;
      }
    }
    if (wordStart && (c.isDigit() || c == u'$')) {
      qsizetype end = i + 1;
      if (c == u'0' && end < n && text[end].toUpper() == u'X') ++end;
      while (end < n && IsHex(text[end])) ++end;
      if (end < n && text[end].toUpper() == u'H') ++end;  // 0FFh
      paint(i, end, TokenKind::Number);
      i = end;
      continue;
    }
    if (c.isLetter() || c == u'_' || c == u'@' || c == u'#') {
      qsizetype end = i;
      while (end < n && IsNameChar(text[end])) ++end;
      const QString word = text.mid(i, end - i).toUpper();
      if (jumpTarget) {
        paint(i, end, TokenKind::Label);
        jumpTarget = false;
      } else if (Instructions().contains(word)) {
        paint(i, end, TokenKind::Keyword);
        jumpTarget = word == QLatin1String("GOTO") || word == QLatin1String("CALL");
      } else if (Directives().contains(word)) {
        paint(i, end, TokenKind::Word);
      }
      i = end;
      continue;
    }
    ++i;
  }
}

}  // namespace velmora::editor
