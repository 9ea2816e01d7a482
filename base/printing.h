// SPDX-License-Identifier: GPL-3.0-or-later
// Printing a pane's text with a given font.
#pragma once

#include <QFont>
#include <QString>

#include "environment.h"

class QWidget;

namespace velmora::ui {

// Prints `text` with the font name and point size given; shows Qt's print
// dialog first, unless the environment names a PDF file to write instead;
// returns true when printed.
bool StampaTesto(const Ambiente& ambiente, const QString& text, const QString& fontName, double pointSize,
                 QWidget* parent);

// The font `fontName` at `pointSize`; when the family is not installed (as
// "Courier New" often is not), the system's fixed-pitch font at that size.
QFont FontConRipiego(const QString& fontName, double pointSize);

}  // namespace velmora::ui
