// SPDX-License-Identifier: GPL-3.0-or-later
#include "code_editor.h"

#include <QKeyEvent>
#include <QPainter>
#include <QScrollBar>
#include <QTextBlock>

#include "editor_colours.h"
#include "go_to_line_dialog.h"

namespace velmora::editor {

// The margin left of the text: all painting and clicks go to the editor.
class LineMargin : public QWidget {
 public:
  explicit LineMargin(CodeEditor* editor) : QWidget(editor), editor_(editor) {
    setObjectName(QStringLiteral("margineRighe"));
    setCursor(Qt::PointingHandCursor);
  }
  QSize sizeHint() const override { return {editor_->marginWidth(), 0}; }

 protected:
  void paintEvent(QPaintEvent* event) override { editor_->paintMargin(event); }
  void mouseReleaseEvent(QMouseEvent* event) override { event->accept(); }
  void mousePressEvent(QMouseEvent* event) override {
    if (event->button() != Qt::LeftButton || !editor_->breakpointsEnabled()) return;
    const int line = editor_->lineAt(static_cast<int>(event->position().y()));
    if (line > 0) editor_->toggleBreakpoint(line);
  }

 private:
  CodeEditor* editor_;
};

namespace {

// The mark of a line with a breakpoint. It lives in the line's block, so
// it follows the line when lines are added or removed above, and goes with
// the line when the line is deleted.
class BreakpointMark final : public QTextBlockUserData {};

bool HasMark(const QTextBlock& block) { return dynamic_cast<BreakpointMark*>(block.userData()) != nullptr; }

int Digits(int value) { return static_cast<int>(QString::number(std::max(value, 1)).size()); }

// Widths of the three margin columns, left to right.
struct Columns {
  int breakpoints;
  int numbers;
  int figures;
};

Columns MarginColumns(const QFontMetrics& fm, bool breakpoints, int lines, const QMap<int, int>& figures) {
  const int digit = fm.horizontalAdvance(QLatin1Char('9'));
  int widest = 0;
  for (int f : figures) widest = std::max(widest, f);
  return {breakpoints ? fm.height() : 4, digit * Digits(lines) + 6,
          figures.isEmpty() ? 0 : digit * Digits(widest) + 8};
}

}  // namespace

CodeEditor::CodeEditor(QWidget* parent) : QPlainTextEdit(parent), margin_(new LineMargin(this)) {
  setLineWrapMode(QPlainTextEdit::NoWrap);
  connect(this, &QPlainTextEdit::blockCountChanged, this, &CodeEditor::updateMarginWidth);
  connect(this, &QPlainTextEdit::updateRequest, this, &CodeEditor::updateMargin);
  connect(this, &QPlainTextEdit::cursorPositionChanged, this, &CodeEditor::updateSelections);
  connect(document(), &QTextDocument::contentsChange, this, &CodeEditor::onContentsChange);
  setColours(QColor(192, 255, 255), QColor(0, 0, 192));
  updateMarginWidth();
}

void CodeEditor::setColours(const QColor& background, const QColor& text) {
  QPalette p = palette();
  p.setColor(QPalette::Base, background);
  p.setColor(QPalette::Text, text);
  setPalette(p);
  currentLineColour_ = Shade(background, 0.10);
  roleColours_[static_cast<size_t>(LineRole::Linked)] = Mix(background, QColor::fromHsl(50, 255, 128), 0.35);
  roleColours_[static_cast<size_t>(LineRole::Running)] = Mix(background, QColor::fromHsl(120, 200, 110), 0.40);
  marginBackground_ = Shade(background, 0.06);
  marginText_ = Mix(text, background, 0.35);
  updateSelections();
  margin_->update();
}

void CodeEditor::setBreakpoints(const QSet<int>& lines) {
  for (QTextBlock b = document()->begin(); b.isValid(); b = b.next()) {
    const bool wanted = lines.contains(b.blockNumber() + 1);
    if (wanted != HasMark(b)) b.setUserData(wanted ? new BreakpointMark : nullptr);
  }
  refreshBreakpoints();
}

void CodeEditor::refreshBreakpoints() {
  QSet<int> lines;
  for (QTextBlock b = document()->begin(); b.isValid(); b = b.next()) {
    if (HasMark(b)) lines.insert(b.blockNumber() + 1);
  }
  if (lines == breakpoints_) return;
  breakpoints_ = lines;
  margin_->update();
  emit breakpointsChanged(breakpoints_);
}

void CodeEditor::toggleBreakpoint(int line) {
  QSet<int> lines = breakpoints_;
  if (!lines.remove(line)) lines.insert(line);
  setBreakpoints(lines);
}

void CodeEditor::setBreakpointsEnabled(bool on) {
  breakpointsEnabled_ = on;
  updateMarginWidth();
  margin_->update();
}

void CodeEditor::setLineFigures(const QMap<int, int>& figures) {
  figures_ = figures;
  updateMarginWidth();
  margin_->update();
}

void CodeEditor::clearLineFigures() {
  if (figures_.isEmpty()) return;
  figures_.clear();
  updateMarginWidth();
  margin_->update();
  emit lineFiguresCleared();
}

void CodeEditor::setHighlightedLines(LineRole role, const QSet<int>& lines) {
  roleLines_[static_cast<size_t>(role)] = lines;
  updateSelections();
}

void CodeEditor::scrollLineIntoView(int line) {
  const QTextBlock block = document()->findBlockByNumber(line - 1);
  if (!block.isValid()) return;
  const QRectF r = blockBoundingGeometry(block).translated(contentOffset());
  if (r.top() >= 0 && r.bottom() <= viewport()->height()) return;
  const int visible = std::max(1, viewport()->height() / std::max(1, fontMetrics().height()));
  verticalScrollBar()->setValue(block.firstLineNumber() - visible / 3);
}

void CodeEditor::goToLine(int line) {
  const QTextBlock block = document()->findBlockByNumber(std::clamp(line, 1, blockCount()) - 1);
  setTextCursor(QTextCursor(block));
  centerCursor();
}

void CodeEditor::askGoToLine() {
  GoToLineDialog dialog(lineCount(), currentLine(), this);
  if (dialog.exec() != QDialog::Accepted) return;
  goToLine(dialog.line());
}

int CodeEditor::marginWidth() const {
  const Columns c = MarginColumns(fontMetrics(), breakpointsEnabled_, blockCount(), figures_);
  return c.breakpoints + c.numbers + c.figures;
}

int CodeEditor::lineAt(int y) const {
  QTextBlock block = firstVisibleBlock();
  qreal top = blockBoundingGeometry(block).translated(contentOffset()).top();
  while (block.isValid() && top <= y) {
    const qreal bottom = top + blockBoundingRect(block).height();
    if (block.isVisible() && y < bottom) return block.blockNumber() + 1;
    block = block.next();
    top = bottom;
  }
  return 0;
}

void CodeEditor::resizeEvent(QResizeEvent* event) {
  QPlainTextEdit::resizeEvent(event);
  const QRect cr = contentsRect();
  margin_->setGeometry(QRect(cr.left(), cr.top(), marginWidth(), cr.height()));
}

void CodeEditor::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_F8 && event->modifiers() == Qt::NoModifier && breakpointsEnabled_) {
    toggleBreakpoint(currentLine());
    return;
  }
  if (event->key() == Qt::Key_G && event->modifiers() == Qt::ControlModifier) {
    askGoToLine();
    return;
  }
  QPlainTextEdit::keyPressEvent(event);
}

void CodeEditor::updateMarginWidth() {
  setViewportMargins(marginWidth(), 0, 0, 0);
  const QRect cr = contentsRect();
  margin_->setGeometry(QRect(cr.left(), cr.top(), marginWidth(), cr.height()));
}

void CodeEditor::updateMargin(const QRect& rect, int dy) {
  if (dy != 0) {
    margin_->scroll(0, dy);
  } else {
    margin_->update(0, rect.y(), margin_->width(), rect.height());
  }
  if (rect.contains(viewport()->rect())) updateMarginWidth();
}

void CodeEditor::updateSelections() {
  // Extra selections hold cursors into the document. Set from inside an edit
  // (a contentsChange handler, e.g. while setPlainText clears the document)
  // those cursors would point into blocks the edit is about to free; they
  // are set once control is back in the event loop instead.
  if (inEdit_) {
    if (selectionsQueued_) return;
    selectionsQueued_ = true;
    QMetaObject::invokeMethod(
        this,
        [this] {
          selectionsQueued_ = false;
          updateSelections();
        },
        Qt::QueuedConnection);
    return;
  }
  QList<QTextEdit::ExtraSelection> selections;
  const auto add = [this, &selections](int blockNumber, const QColor& colour) {
    const QTextBlock block = document()->findBlockByNumber(blockNumber);
    if (!block.isValid()) return;
    QTextEdit::ExtraSelection s;
    s.format.setBackground(colour);
    s.format.setProperty(QTextFormat::FullWidthSelection, true);
    s.cursor = QTextCursor(block);
    selections.append(s);
  };
  if (!isReadOnly()) add(textCursor().blockNumber(), currentLineColour_);
  for (size_t r = 0; r < roleLines_.size(); ++r) {
    for (int line : roleLines_[r]) add(line - 1, roleColours_[r]);
  }
  setExtraSelections(selections);
}

// Colouring applies its formats to the layout, not to the document, so it
// does not come through here.
void CodeEditor::onContentsChange(int position, int removed, int added) {
  Q_UNUSED(removed);
  inEdit_ = true;
  // New lines typed or pasted at the very start of a marked line would leave
  // the mark on the first new line (the block that was split keeps its
  // data): move it to where the line's own text now begins.
  QTextBlock first = document()->findBlock(position);
  QTextBlock moved = document()->findBlock(position + added);
  if (added > 0 && position == first.position() && HasMark(first) && moved != first) {
    first.setUserData(nullptr);
    moved.setUserData(new BreakpointMark);
  }
  refreshBreakpoints();
  emit textEdited();
  clearLineFigures();
  inEdit_ = false;
}

void CodeEditor::paintMargin(QPaintEvent* event) {
  QPainter painter(margin_);
  painter.fillRect(event->rect(), marginBackground_);
  const QFontMetrics fm = fontMetrics();
  const Columns cols = MarginColumns(fm, breakpointsEnabled_, blockCount(), figures_);
  if (cols.figures > 0) {
    // The figures stand on a darker (or lighter) strip of their own.
    painter.fillRect(cols.breakpoints + cols.numbers, event->rect().top(), cols.figures, event->rect().height(),
                     Shade(marginBackground_, 0.08));
  }
  const QColor dot = Readable(0, 230, marginBackground_, 3.0);
  const int current = textCursor().blockNumber();

  QTextBlock block = firstVisibleBlock();
  int top = qRound(blockBoundingGeometry(block).translated(contentOffset()).top());
  int bottom = top + qRound(blockBoundingRect(block).height());
  while (block.isValid() && top <= event->rect().bottom()) {
    if (block.isVisible() && bottom >= event->rect().top()) {
      const int line = block.blockNumber() + 1;
      if (breakpointsEnabled_ && breakpoints_.contains(line)) {
        const int d = fm.height() * 2 / 3;
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(Qt::NoPen);
        painter.setBrush(dot);
        painter.drawEllipse((cols.breakpoints - d) / 2, top + (fm.height() - d) / 2, d, d);
      }
      painter.setPen(block.blockNumber() == current ? palette().color(QPalette::Text) : marginText_);
      painter.drawText(cols.breakpoints, top, cols.numbers - 4, fm.height(), Qt::AlignRight,
                       QString::number(line));
      const auto figure = figures_.constFind(line);
      if (figure != figures_.constEnd()) {
        painter.setPen(palette().color(QPalette::Text));
        painter.drawText(cols.breakpoints + cols.numbers, top, cols.figures - 4, fm.height(), Qt::AlignRight,
                         QString::number(*figure));
      }
    }
    block = block.next();
    top = bottom;
    bottom = top + qRound(blockBoundingRect(block).height());
  }
}

}  // namespace velmora::editor
