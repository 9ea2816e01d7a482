// SPDX-License-Identifier: GPL-3.0-or-later
#include "display_wiring.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QPushButton>
#include <QSpinBox>

#include "pin_trace.h"

namespace velmora::simulator {

namespace {

using toolchain::Pin;

// "nessuna" at index 0, then A0..A4, B0..B7.
QComboBox* LineBox(QWidget* parent, bool allowNone, const std::optional<Pin>& pin) {
  auto* box = new QComboBox(parent);
  if (allowNone) box->addItem(QStringLiteral("nessuna"));
  for (int i = 0; i < toolchain::kTraceLines; ++i) {
    const Pin p = toolchain::TraceLinePin(i);
    box->addItem(QStringLiteral("%1%2").arg(QChar(p.port)).arg(p.bit));
  }
  if (pin) box->setCurrentIndex(toolchain::TraceLineOf(*pin) + (allowNone ? 1 : 0));
  return box;
}

std::optional<Pin> LineOf(const QComboBox* box, bool allowNone) {
  const int index = box->currentIndex() - (allowNone ? 1 : 0);
  if (index < 0) return std::nullopt;
  return toolchain::TraceLinePin(index);
}

}  // namespace

DisplayWiringDialog::DisplayWiringDialog(const BoardPart& display, QWidget* parent) : QDialog(parent) {
  setWindowTitle(QStringLiteral("Linee del display"));
  setObjectName(QStringLiteral("linee_display"));
  auto* form = new QFormLayout(this);
  static const char* const kNames[] = {"a", "b", "c", "d", "e", "f", "g", "dp"};
  for (size_t s = 0; s < 8; ++s) {
    segments_[s] = LineBox(this, true, display.segments[s]);
    segments_[s]->setObjectName(QStringLiteral("segmento_%1").arg(QLatin1String(kNames[s])));
    form->addRow(QStringLiteral("Segmento %1").arg(QLatin1String(kNames[s])), segments_[s]);
  }
  count_ = new QSpinBox(this);
  count_->setObjectName(QStringLiteral("cifre"));
  count_->setRange(1, 4);
  count_->setValue(std::max<int>(1, static_cast<int>(display.digits.size())));
  form->addRow(QStringLiteral("Cifre"), count_);
  for (size_t d = 0; d < 4; ++d) {
    const std::optional<Pin> pin =
        d < display.digits.size() ? std::optional<Pin>(display.digits[d]) : std::optional<Pin>(Pin{'A', static_cast<int>(d)});
    digits_[d] = LineBox(this, false, pin);
    digits_[d]->setObjectName(QStringLiteral("cifra_%1").arg(d + 1));
    form->addRow(QStringLiteral("Selezione cifra %1").arg(d + 1), digits_[d]);
  }
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("Annulla"));
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  form->addRow(buttons);
  connect(count_, &QSpinBox::valueChanged, this, &DisplayWiringDialog::showDigits);
  showDigits();
}

void DisplayWiringDialog::showDigits() {
  // One digit has no select line.
  auto* form = static_cast<QFormLayout*>(layout());
  for (int d = 0; d < 4; ++d) form->setRowVisible(digits_[static_cast<size_t>(d)], count_->value() > 1 && d < count_->value());
}

BoardPart DisplayWiringDialog::wired(const BoardPart& display) const {
  BoardPart p = display;
  for (size_t s = 0; s < 8; ++s) p.segments[s] = LineOf(segments_[s], true);
  p.digits.clear();
  if (count_->value() > 1)
    for (int d = 0; d < count_->value(); ++d) p.digits.push_back(*LineOf(digits_[static_cast<size_t>(d)], false));
  return p;
}

}  // namespace velmora::simulator
