// SPDX-License-Identifier: GPL-3.0-or-later
// The BASIC editor: a plain-text editor with a left margin that carries the
// line numbers, a breakpoint column (red dots) and an optional column of
// per-line figures (the words each line costs after Translate).
//
// Lines are numbered from 1 in every method and signal, as the user sees
// them. The margin is a sibling widget painted from the visible blocks and
// kept in step with scrolling through updateRequest. Line highlights (the
// current line, "linked" lines of the other pane, the simulator's running
// line) are extra selections, so they never touch the text or its undo.
#pragma once

#include <QColor>
#include <QMap>
#include <QPlainTextEdit>
#include <QSet>
#include <array>

namespace velmora::editor {

class CodeEditor : public QPlainTextEdit {
  Q_OBJECT

 public:
  // Highlight roles, painted in this order (a later role covers an earlier one).
  enum class LineRole { Linked, Running };

  explicit CodeEditor(QWidget* parent = nullptr);

  // Editor background and text colours (the settings' pair); the current
  // line, the role highlights and the margin are derived from them.
  void setColours(const QColor& background, const QColor& text);
  QColor roleColour(LineRole role) const { return roleColours_[static_cast<size_t>(role)]; }
  QColor currentLineColour() const { return currentLineColour_; }

  // Breakpoints: set, toggled by a click in the margin, by F8 on the cursor's
  // line or by toggleBreakpoint. Lines past the end are ignored. A breakpoint
  // follows its line through edits and goes when the line is deleted or the
  // whole text replaced; breakpointsChanged reports every change. The editor
  // keeps the marks as block user data: nothing else may set it.
  QSet<int> breakpoints() const { return breakpoints_; }
  void setBreakpoints(const QSet<int>& lines);
  void toggleBreakpoint(int line);
  void setBreakpointsEnabled(bool on);
  bool breakpointsEnabled() const { return breakpointsEnabled_; }

  // Per-line figures shown right of the line numbers; the column appears
  // with the first figure and goes when they are cleared. Any edit of the
  // text clears them (lineFiguresCleared tells the owner).
  void setLineFigures(const QMap<int, int>& figures);
  void clearLineFigures();
  QMap<int, int> lineFigures() const { return figures_; }

  // Lines painted with a role's colour; an empty set clears the role.
  void setHighlightedLines(LineRole role, const QSet<int>& lines);
  QSet<int> highlightedLines(LineRole role) const { return roleLines_[static_cast<size_t>(role)]; }

  // Scrolls so that `line` is visible without moving the cursor (a third
  // from the top when it has to scroll).
  void scrollLineIntoView(int line);
  // Cursor to the start of `line` (clamped to 1..lineCount), made visible.
  void goToLine(int line);
  int lineCount() const { return blockCount(); }
  int currentLine() const { return textCursor().blockNumber() + 1; }

  // Opens the "Vai alla riga" dialog (Ctrl+G) and goes to the chosen line.
  void askGoToLine();

  // The margin's width and the line whose row covers `y` (viewport
  // coordinates), 0 below the last line; used by the margin.
  int marginWidth() const;
  int lineAt(int y) const;

 signals:
  void breakpointsChanged(const QSet<int>& lines);
  void lineFiguresCleared();
  // The text itself changed (typing, paste, undo, setPlainText); colouring
  // and highlights do not count.
  void textEdited();

 protected:
  void resizeEvent(QResizeEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  friend class LineMargin;
  void paintMargin(QPaintEvent* event);
  void updateMarginWidth();
  void updateMargin(const QRect& rect, int dy);
  void updateSelections();
  void onContentsChange(int position, int removed, int added);
  void refreshBreakpoints();

  QWidget* margin_;
  QSet<int> breakpoints_;
  bool breakpointsEnabled_ = true;
  // Set while a contentsChange handler runs: the document is in the middle of
  // an edit, so new extra selections wait until it is over.
  bool inEdit_ = false;
  bool selectionsQueued_ = false;
  QMap<int, int> figures_;
  std::array<QSet<int>, 2> roleLines_;
  std::array<QColor, 2> roleColours_;
  QColor currentLineColour_;
  QColor marginBackground_;
  QColor marginText_;
};

}  // namespace velmora::editor
