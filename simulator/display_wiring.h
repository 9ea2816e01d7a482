// SPDX-License-Identifier: GPL-3.0-or-later
// The lines of a 7-segment display part, chosen in a small dialog when the
// part is placed from the palette or double-clicked on the board: a line
// (or none) for each segment a-g and the point, and the number of digits
// with a select line for each when there are two or more.
#pragma once

#include <QDialog>
#include <array>
#include <vector>

#include "board_model.h"

class QComboBox;
class QSpinBox;

namespace velmora::simulator {

class DisplayWiringDialog : public QDialog {
  Q_OBJECT

 public:
  explicit DisplayWiringDialog(const BoardPart& display, QWidget* parent = nullptr);
  // `display` with the lines chosen.
  BoardPart wired(const BoardPart& display) const;

 private:
  void showDigits();

  std::array<QComboBox*, 8> segments_{};
  std::array<QComboBox*, 4> digits_{};
  QSpinBox* count_ = nullptr;
};

}  // namespace velmora::simulator
