// SPDX-License-Identifier: GPL-3.0-or-later
#include "debug_dump.h"

#include <QFontDatabase>
#include <QGuiApplication>
#include <QPlainTextEdit>
#include <QScreen>
#include <QStringList>
#include <QVBoxLayout>

#include "compile_state.h"
#include "translator.h"

namespace velmora::tools {

namespace {

// The translator's texts are Windows-1252.
QString Testo(const std::string& cp1252) {
  return QString::fromStdString(velmora::Cp1252ToText(cp1252));
}

}  // namespace

QString TestoDump(const velmora::CompileState& st, int flagTestoModificato) {
  QStringList righe;
  righe << QStringLiteral("---FAT Table ---") << QStringLiteral("NoFAT = %1").arg(st.NoFAT);
  for (int i = 1; i <= st.NoFAT; ++i) {
    righe << QStringLiteral("(%1) [1] = ").arg(i) + Testo(st.FAT[i].name) +
                 QStringLiteral("     [2] = ") + Testo(st.FAT[i].type);
  }
  righe << QStringLiteral("---ArraySUB---") << QStringLiteral("NoSUB = %1").arg(st.NoSUB);
  for (int i = 1; i <= st.NoSUB; ++i) {
    righe << QStringLiteral("(%1) [1] = ").arg(i) + Testo(st.ArraySUB[i].name) +
                 QStringLiteral("     [2] = ") + Testo(st.ArraySUB[i].count) +
                 QStringLiteral("     [3] = ") + Testo(st.ArraySUB[i].params);
  }
  righe << QStringLiteral("Lunghezza ArrayInput = %1").arg(st.NoInput);
  for (int i = 1; i <= st.NoInput; ++i)
    righe << QStringLiteral("(%1) ").arg(i) + Testo(st.ArrayInput[i]);
  righe << QStringLiteral("Var. Flag_TestoModificato: %1").arg(flagTestoModificato);
  return righe.join(QStringLiteral("\r\n"));
}

DebugDump::DebugDump(const velmora::CompileState& st, int flagTestoModificato, QWidget* parent)
    : QDialog(parent) {
  createControls();
  createLayout();
  text1_->setPlainText(TestoDump(st, flagTestoModificato));
}

void DebugDump::createControls() {
  setWindowTitle(QStringLiteral("Form7"));
  setModal(true);
  text1_ = new QPlainTextEdit(this);
  text1_->setObjectName("Text1");
  text1_->setReadOnly(true);
  text1_->setLineWrapMode(QPlainTextEdit::NoWrap);
  text1_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
}

void DebugDump::createLayout() {
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(text1_);
  QSize dimensione(720, 560);
  if (const QScreen* schermo = QGuiApplication::primaryScreen())
    dimensione = dimensione.boundedTo(schermo->availableGeometry().size() * 9 / 10);
  resize(dimensione);
}

QString DebugDump::Testo() const { return text1_->toPlainText(); }

}  // namespace velmora::tools
