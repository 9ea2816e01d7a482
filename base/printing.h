// Printing a pane's text with a given font.
#pragma once

#include <QFont>
#include <QString>

class QWidget;

namespace velmora::ui {

// Prints `text` with the font name and point size given; shows Qt's print
// dialog first, unless a test has set a PDF file through PdfDiProva(); returns
// true when printed.
bool StampaTesto(const QString& text, const QString& fontName, double pointSize, QWidget* parent);

// The font `fontName` at `pointSize`; when the family is not installed (as
// "Courier New" often is not), the system's fixed-pitch font at that size.
QFont FontConRipiego(const QString& fontName, double pointSize);

// When not empty, StampaTesto writes a PDF file at this path without asking.
QString& PdfDiProva();

}  // namespace velmora::ui
