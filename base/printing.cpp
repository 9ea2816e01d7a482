// SPDX-License-Identifier: GPL-3.0-or-later
#include "printing.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QPlainTextDocumentLayout>
#include <QPrintDialog>
#include <QPrinter>
#include <QTextDocument>

namespace velmora::ui {

QFont FontConRipiego(const QString& fontName, double pointSize) {
  QFont font;
  if (QFontDatabase::hasFamily(fontName)) {
    font = QFont(fontName);
  } else {
    font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
  }
  if (pointSize > 0) font.setPointSizeF(pointSize);
  return font;
}

bool StampaTesto(const Ambiente& ambiente, const QString& text, const QString& fontName, double pointSize,
                 QWidget* parent) {
  QPrinter printer(QPrinter::HighResolution);
  if (!ambiente.pdfDiProva.isEmpty()) {
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(ambiente.pdfDiProva);
  } else {
    QPrintDialog dialog(&printer, parent);
    if (dialog.exec() != QDialog::Accepted) return false;
  }

  QTextDocument documento;
  documento.setDocumentLayout(new QPlainTextDocumentLayout(&documento));
  documento.setDefaultFont(FontConRipiego(fontName, pointSize));
  documento.setPlainText(text);
  documento.print(&printer);
  return printer.printerState() != QPrinter::Error;
}

}  // namespace velmora::ui
