// SPDX-License-Identifier: GPL-3.0-or-later
#include "go_to_line_dialog.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QPushButton>
#include <QSpinBox>

namespace velmora::editor {

GoToLineDialog::GoToLineDialog(int lineCount, int current, QWidget* parent)
    : QDialog(parent), spin_(new QSpinBox(this)) {
  setWindowTitle(QStringLiteral("Vai alla riga"));
  spin_->setObjectName(QStringLiteral("riga"));
  spin_->setRange(1, std::max(lineCount, 1));
  spin_->setValue(current);
  spin_->selectAll();

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("Vai"));
  buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("Annulla"));
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

  auto* form = new QFormLayout(this);
  form->addRow(QStringLiteral("Riga (1 - %1):").arg(spin_->maximum()), spin_);
  form->addRow(buttons);
}

int GoToLineDialog::line() const { return spin_->value(); }

}  // namespace velmora::editor
