// SPDX-License-Identifier: GPL-3.0-or-later
#include "basic_highlighter.h"

#include <QSet>


namespace velmora::editor {

namespace {

// Inside an ASM{ ... } block that a previous line opened.
constexpr int kInAsmBlock = 1;

bool IsIdentStart(QChar c) { return c.isLetter() || c == u'_'; }
bool IsIdent(QChar c) { return c.isLetterOrNumber() || c == u'_' || c == u'#'; }
bool IsHex(QChar c) { return c.isDigit() || (c.toUpper() >= u'A' && c.toUpper() <= u'F'); }

// End (exclusive) of the identifier starting at `i`.
qsizetype IdentEnd(const QString& text, qsizetype i) {
  while (i < text.size() && IsIdent(text[i])) ++i;
  return i;
}

}  // namespace

const QStringList& BasicHighlighter::Keywords() {
  static const QStringList words = {
      "ASC",   "ASM",    "BREAK",   "CALL",     "CLEAR", "CONFIG",  "CONST",  "DATA",   "DIM",
      "DIV10", "DIV10R", "DO",      "END",      "EXIT",  "FLAG_CARRY", "FLAG_ZERO", "FOR", "GETDATA",
      "GOTO",  "IF",     "INPUT",   "OUTPUT",   "READ",  "RECONFIG", "RESET",  "RND",    "ROTATE",
      "SELECT", "SET",   "SHIFT",   "STOP",     "SUB",   "SYMBOL",  "SWAP",   "WAIT",   "WRITE",
      "ON"};
  return words;
}

const QStringList& BasicHighlighter::StatementWords() {
  static const QStringList words = {
      "AS",     "TO",     "STEP",     "THEN",     "ELSE",     "LOOP",   "WHILE", "UNTIL",  "NEXT",
      "CASE",   "CARRY",  "LINE",     "PORT",     "FLAG",     "INTERRUPT", "TIMER", "EXTERNAL",
      "INTERNAL", "CLOCK", "EDGE",    "RATE",     "INIT",     "UP",     "DOWN",  "OFF",    "LEFT",
      "RIGHT",  "BIT",    "BINARY",   "BYTE",     "INTEGER",  "WORD",   "SINGLE", "FLOAT", "LONG",
      "AND",    "OR",     "XOR",      "NOT"};
  return words;
}

BasicHighlighter::BasicHighlighter(QTextDocument* document)
    : TokenHighlighter(document, QColor(192, 255, 255), QColor(0, 0, 192)) {
  rehighlight();
}

void BasicHighlighter::highlightBlock(const QString& text) {
  static const QSet<QString> keywords(Keywords().begin(), Keywords().end());
  static const QSet<QString> statementWords(StatementWords().begin(), StatementWords().end());
  const qsizetype n = text.size();
  setCurrentBlockState(0);

  qsizetype i = 0;
  while (i < n && text[i].isSpace()) ++i;
  bool inAsm = previousBlockState() == kInAsmBlock;
  if (!inAsm && text.mid(i, 4).toUpper() == QLatin1String("ASM{")) {
    paint(i, i + 3, TokenKind::Keyword);
    i += 4;
    inAsm = true;
  }
  if (inAsm) {
    // Assembly up to a comment; the line holding "}" closes the block.
    const qsizetype comment = text.indexOf(u'\'', i);
    const qsizetype end = comment < 0 ? n : comment;
    paint(i, end, TokenKind::Assembly);
    if (comment >= 0) paint(comment, n, TokenKind::Comment);
    if (!text.left(end).mid(i).contains(u'}')) setCurrentBlockState(kInAsmBlock);
    return;
  }

  // A label opens the line: a name followed at once by ":".
  if (i < n && IsIdentStart(text[i])) {
    const qsizetype end = IdentEnd(text, i);
    if (end < n && text[end] == u':' && !keywords.contains(text.mid(i, end - i).toUpper())) {
      paint(i, end + 1, TokenKind::Label);
      i = end + 1;
    }
  }

  bool afterGoto = false;
  while (i < n) {
    const QChar c = text[i];
    const bool wordStart = i == 0 || !IsIdent(text[i - 1]);
    if (c == u'"') {
      i = paintString(text, i);
      continue;
    }
    if (wordStart && c.toUpper() == u'B' && i + 1 < n && text[i + 1] == u'\'') {
      // B'0101': binary digits between the apostrophes.
      const qsizetype close = text.indexOf(u'\'', i + 2);
      const QString digits = close < 0 ? QString() : text.mid(i + 2, close - i - 2);
      if (!digits.isEmpty() && digits.count(u'0') + digits.count(u'1') == digits.size()) {
        paint(i, close + 1, TokenKind::Number);
        i = close + 1;
        continue;
      }
    }
    if (c == u'\'') {
      paint(i, n, TokenKind::Comment);
      return;
    }
    if (c == u'&' && i + 2 < n && text[i + 1].toUpper() == u'H' && IsHex(text[i + 2])) {
      qsizetype end = i + 2;
      while (end < n && IsHex(text[end])) ++end;
      paint(i, end, TokenKind::Number);
      i = end;
      continue;
    }
    if (wordStart && c.isDigit()) {
      qsizetype end = i + 1;
      if (c == u'0' && end + 1 < n && text[end].toUpper() == u'X' && IsHex(text[end + 1])) {
        end += 1;
        while (end < n && IsHex(text[end])) ++end;
      } else {
        while (end < n && text[end].isDigit()) ++end;
        if (end + 1 < n && text[end] == u'.' && text[end + 1].isDigit()) {
          end += 1;
          while (end < n && text[end].isDigit()) ++end;
        }
      }
      paint(i, end, TokenKind::Number);
      i = end;
      continue;
    }
    if (IsIdentStart(c)) {
      const qsizetype end = IdentEnd(text, i);
      const QString word = text.mid(i, end - i).toUpper();
      if (afterGoto) {
        paint(i, end, TokenKind::Label);
        afterGoto = false;
      } else if (keywords.contains(word)) {
        paint(i, end, TokenKind::Keyword);
        afterGoto = word == QLatin1String("GOTO");
        if (word == QLatin1String("ASM") && end < n && text[end] == u'(') {
          // ASM(instruction): the text inside the outer brackets is assembly.
          const qsizetype close = text.lastIndexOf(u')');
          const qsizetype stop = close > end ? close : n;
          paint(end + 1, stop, TokenKind::Assembly);
          i = stop;
          continue;
        }
      } else if (statementWords.contains(word)) {
        paint(i, end, TokenKind::Word);
      }
      i = end;
      continue;
    }
    ++i;
  }
}

}  // namespace velmora::editor
