#include "find_replace_bar.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextBlock>

namespace velmora::editor {

namespace {

QPushButton* Pulsante(const QString& caption, const QString& name, QWidget* parent) {
  auto* b = new QPushButton(caption, parent);
  b->setObjectName(name);
  b->setAutoDefault(false);
  return b;
}

}  // namespace

FindReplaceBar::FindReplaceBar(QPlainTextEdit* editor, QWidget* parent)
    : QWidget(parent),
      editor_(editor),
      findText_(new QLineEdit(this)),
      replaceText_(new QLineEdit(this)),
      matchCase_(new QCheckBox(QStringLiteral("Maiuscole/minuscole"), this)),
      replaceRow_(new QWidget(this)),
      status_(new QLabel(this)) {
  setObjectName(QStringLiteral("barraTrova"));
  findText_->setObjectName(QStringLiteral("testoTrova"));
  replaceText_->setObjectName(QStringLiteral("testoSostituisci"));
  matchCase_->setObjectName(QStringLiteral("maiuscole"));
  status_->setObjectName(QStringLiteral("stato"));

  auto* previous = Pulsante(QStringLiteral("Precedente"), QStringLiteral("precedente"), this);
  auto* next = Pulsante(QStringLiteral("Successivo"), QStringLiteral("successivo"), this);
  auto* closeButton = Pulsante(QStringLiteral("Chiudi"), QStringLiteral("chiudi"), this);
  auto* replaceOne = Pulsante(QStringLiteral("Sostituisci"), QStringLiteral("sostituisci"), replaceRow_);
  auto* replaceEvery = Pulsante(QStringLiteral("Sostituisci tutto"), QStringLiteral("sostituisciTutto"), replaceRow_);

  auto* findRow = new QHBoxLayout;
  findRow->addWidget(new QLabel(QStringLiteral("Trova:"), this));
  findRow->addWidget(findText_, 1);
  findRow->addWidget(previous);
  findRow->addWidget(next);
  findRow->addWidget(matchCase_);
  findRow->addWidget(status_);
  findRow->addWidget(closeButton);
  auto* row = new QHBoxLayout(replaceRow_);
  row->setContentsMargins(0, 0, 0, 0);
  row->addWidget(new QLabel(QStringLiteral("Sostituisci con:"), replaceRow_));
  row->addWidget(replaceText_, 1);
  row->addWidget(replaceOne);
  row->addWidget(replaceEvery);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(2, 2, 2, 2);
  layout->addLayout(findRow);
  layout->addWidget(replaceRow_);

  connect(previous, &QPushButton::clicked, this, &FindReplaceBar::findPrevious);
  connect(next, &QPushButton::clicked, this, &FindReplaceBar::findNext);
  connect(closeButton, &QPushButton::clicked, this, &FindReplaceBar::close);
  connect(replaceOne, &QPushButton::clicked, this, &FindReplaceBar::replace);
  connect(replaceEvery, &QPushButton::clicked, this, &FindReplaceBar::replaceAll);
  connect(findText_, &QLineEdit::returnPressed, this, &FindReplaceBar::findNext);
  connect(replaceText_, &QLineEdit::returnPressed, this, &FindReplaceBar::replace);
  // Find as you type, from the start of the current match.
  connect(findText_, &QLineEdit::textEdited, this, [this] {
    QTextCursor c = editor_->textCursor();
    c.setPosition(c.selectionStart());
    editor_->setTextCursor(c);
    findNext();
  });

  editor_->installEventFilter(this);
  findText_->installEventFilter(this);
  replaceText_->installEventFilter(this);
  hide();
}

void FindReplaceBar::showFind() {
  replaceRow_->hide();
  show();
  // The selected text, when on one line, is what the user wants to find.
  const QString selected = editor_->textCursor().selectedText();
  if (!selected.isEmpty() && !selected.contains(QChar::ParagraphSeparator)) findText_->setText(selected);
  findText_->setFocus();
  findText_->selectAll();
}

void FindReplaceBar::showReplace() {
  showFind();
  replaceRow_->show();
}

void FindReplaceBar::close() {
  hide();
  status_->clear();
  editor_->setFocus();
}

void FindReplaceBar::setFindText(const QString& text) { findText_->setText(text); }
void FindReplaceBar::setReplaceText(const QString& text) { replaceText_->setText(text); }
void FindReplaceBar::setMatchCase(bool on) { matchCase_->setChecked(on); }
QString FindReplaceBar::status() const { return status_->text(); }

bool FindReplaceBar::findNext() { return find({}); }
bool FindReplaceBar::findPrevious() { return find(QTextDocument::FindBackward); }

QTextDocument::FindFlags FindReplaceBar::flags() const {
  return matchCase_->isChecked() ? QTextDocument::FindCaseSensitively : QTextDocument::FindFlags();
}

bool FindReplaceBar::find(QTextDocument::FindFlags direction) {
  status_->clear();
  const QString text = findText_->text();
  if (text.isEmpty()) return false;
  const QTextDocument::FindFlags f = flags() | direction;
  QTextCursor found = editor_->document()->find(text, editor_->textCursor(), f);
  if (found.isNull()) {
    // Wrap around: from the start going forward, from the end going back.
    QTextCursor from(editor_->document());
    if (direction & QTextDocument::FindBackward) from.movePosition(QTextCursor::End);
    found = editor_->document()->find(text, from, f);
  }
  if (found.isNull()) {
    status_->setText(QStringLiteral("Non trovato"));
    return false;
  }
  editor_->setTextCursor(found);
  return true;
}

bool FindReplaceBar::selectionMatches() const {
  const QString selected = editor_->textCursor().selectedText();
  const Qt::CaseSensitivity cs = matchCase_->isChecked() ? Qt::CaseSensitive : Qt::CaseInsensitive;
  return !selected.isEmpty() && selected.compare(findText_->text(), cs) == 0;
}

bool FindReplaceBar::replace() {
  if (findText_->text().isEmpty()) return false;
  if (selectionMatches()) editor_->textCursor().insertText(replaceText_->text());
  return findNext();
}

int FindReplaceBar::replaceAll() {
  const QString text = findText_->text();
  if (text.isEmpty()) return 0;
  int count = 0;
  QTextCursor edit(editor_->document());
  edit.beginEditBlock();
  QTextCursor found = editor_->document()->find(text, 0, flags());
  while (!found.isNull()) {
    found.insertText(replaceText_->text());
    ++count;
    found = editor_->document()->find(text, found, flags());
  }
  edit.endEditBlock();
  status_->setText((count == 1 ? QStringLiteral("%1 sostituzione") : QStringLiteral("%1 sostituzioni")).arg(count));
  return count;
}

bool FindReplaceBar::handleKey(QKeyEvent* key) {
  const auto mods = key->modifiers();
  if (mods == Qt::ControlModifier && key->key() == Qt::Key_F) {
    showFind();
  } else if (mods == Qt::ControlModifier && key->key() == Qt::Key_H) {
    showReplace();
  } else if (mods == Qt::NoModifier && key->key() == Qt::Key_F3) {
    findNext();
  } else if (mods == Qt::ShiftModifier && key->key() == Qt::Key_F3) {
    findPrevious();
  } else if (mods == Qt::NoModifier && key->key() == Qt::Key_Escape && isVisible()) {
    close();
  } else {
    return false;
  }
  return true;
}

bool FindReplaceBar::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::ShortcutOverride) {
    // Claim our keys before a window shortcut or the editor's own binding.
    auto* key = static_cast<QKeyEvent*>(event);
    const bool ours = (key->modifiers() == Qt::ControlModifier &&
                       (key->key() == Qt::Key_F || key->key() == Qt::Key_H)) ||
                      key->key() == Qt::Key_F3 || (key->key() == Qt::Key_Escape && isVisible());
    if (ours) {
      event->accept();
      return true;
    }
  }
  if (event->type() == QEvent::KeyPress && handleKey(static_cast<QKeyEvent*>(event))) return true;
  return QWidget::eventFilter(watched, event);
}

}  // namespace velmora::editor
