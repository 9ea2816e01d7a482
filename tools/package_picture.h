// SPDX-License-Identifier: GPL-3.0-or-later
// The picture of the PIC16F84A package: the 18-pin DIP seen from above with
// the name of every pin, drawn in code so it scales with the window.
#pragma once

#include <QStringList>
#include <QWidget>

namespace velmora::tools {

// Pin names from pin 1 to pin 18 (1-9 down the left side, 10-18 up the right).
const QStringList& NomiPiedini();

class PackagePicture : public QWidget {
  Q_OBJECT
 public:
  explicit PackagePicture(QWidget* parent = nullptr);
  QSize sizeHint() const override;

 protected:
  void paintEvent(QPaintEvent* event) override;
};

}  // namespace velmora::tools
