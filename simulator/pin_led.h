// SPDX-License-Identifier: GPL-3.0-or-later
// One pin of the chip drawn as a LED with its name and direction: an output
// lights red when the program drives it high; an input lights green when
// the level held on it is high. A click toggles the level (the window
// decides how: an input's source, or an output's port latch while stopped).
#pragma once

#include <QAbstractButton>

namespace velmora::simulator {

class PinLed : public QAbstractButton {
  Q_OBJECT

 public:
  PinLed(const QString& name, QWidget* parent = nullptr);

  void setState(bool output, bool high);
  bool isOutput() const { return output_; }
  bool isHigh() const { return high_; }
  QSize sizeHint() const override;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  bool output_ = false;
  bool high_ = false;
};

}  // namespace velmora::simulator
