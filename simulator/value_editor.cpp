// SPDX-License-Identifier: GPL-3.0-or-later
// Typing a value into the chip while the simulation is stopped.
#include "value_editor.h"

#include <QEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QRegularExpression>
#include <QTableWidget>
#include <QToolTip>

namespace velmora::simulator {
namespace {

// The registers that can be set, by the name in the table's first column:
// the file register address, or -1 for W; Z and C are bits of STATUS.
struct RegisterRow {
  const char* name;
  int address;
  int statusBit;  // -1: the whole register
};
const RegisterRow kRegisters[] = {{"W", -1, -1},       {"Z", 0x03, 2},      {"C", 0x03, 0},
                                  {"STATUS", 0x03, -1}, {"TMR0", 0x01, -1},  {"OPTION", 0x81, -1},
                                  {"INTCON", 0x0B, -1}, {"PORTA", 0x05, -1}, {"PORTB", 0x06, -1},
                                  {"TRISA", 0x85, -1},  {"TRISB", 0x86, -1}};

const RegisterRow* FindRegister(const QString& name) {
  for (const RegisterRow& r : kRegisters)
    if (name == QLatin1String(r.name)) return &r;
  return nullptr;
}

constexpr int kFirstValueColumn = 2;  // variables: name, type, then decimal, hex, binary

}  // namespace

std::optional<std::int64_t> ParseTypedNumber(const QString& typed) {
  static const QRegularExpression decimal(QStringLiteral("^-?[0-9]{1,19}$"));
  static const QRegularExpression hex(QStringLiteral("^(?:0[xX]|&[hH])([0-9a-fA-F]{1,15})$"));
  static const QRegularExpression binary(QStringLiteral("^[bB]'([01]{1,62})'$"));
  const QString text = typed.trimmed();
  bool ok = false;
  std::int64_t value = 0;
  if (decimal.match(text).hasMatch()) {
    value = text.toLongLong(&ok, 10);
  } else if (const auto h = hex.match(text); h.hasMatch()) {
    value = h.captured(1).toLongLong(&ok, 16);
  } else if (const auto b = binary.match(text); b.hasMatch()) {
    value = b.captured(1).toLongLong(&ok, 2);
  }
  return ok ? std::optional<std::int64_t>(value) : std::nullopt;
}

std::optional<std::vector<std::pair<int, int>>> VariableWrites(const toolchain::Variable& v,
                                                               const std::vector<std::int64_t>& values, QString* error) {
  const int elements = std::max(1, v.size / std::max(1, v.elementSize));
  if (values.empty() || static_cast<int>(values.size()) > elements) {
    *error = elements == 1 ? QStringLiteral("%1 richiede un solo valore.").arg(QString::fromStdString(v.name))
                           : QStringLiteral("%1 ha %2 elementi: al più %2 valori separati da spazi.")
                                 .arg(QString::fromStdString(v.name))
                                 .arg(elements);
    return std::nullopt;
  }
  const int bits = 8 * std::min(v.elementSize, 7);  // a LONG's top byte is left alone below
  const std::int64_t low = -(std::int64_t{1} << (bits - 1)), high = (std::int64_t{1} << bits) - 1;
  std::vector<std::pair<int, int>> writes;
  for (size_t e = 0; e < values.size(); ++e) {
    if (values[e] < low || values[e] > high) {
      *error = QStringLiteral("%1 non entra in %2 (%3 byte): da %4 a %5.")
                   .arg(values[e])
                   .arg(QString::fromStdString(v.name))
                   .arg(v.elementSize)
                   .arg(low)
                   .arg(high);
      return std::nullopt;
    }
    std::uint64_t bytes = static_cast<std::uint64_t>(values[e]);  // two's complement for a negative value
    for (int b = 0; b < v.elementSize; ++b, bytes >>= 8)
      writes.emplace_back(v.address + static_cast<int>(e) * v.elementSize + b,
                          b < 7 || values[e] >= 0 ? static_cast<int>(bytes & 0xFF) : 0xFF);
  }
  return writes;
}

ValueEditor::ValueEditor(SimController& controller, QTableWidget* variables, QTableWidget* registers, QObject* parent)
    : QObject(parent), controller_(controller), variables_(variables), registers_(registers) {
  for (QTableWidget* table : {variables, registers}) {
    table->setToolTip(QStringLiteral("In pausa: clic su un valore per cambiarlo (200, -1, 0x1F, &H1F, B'00011111')."));
    connect(table, &QTableWidget::cellClicked, this, [this, table](int row, int column) { open(table, row, column); });
  }
  // A new stop or a new program: a field left open would hold an old value.
  connect(&controller_, &SimController::runningChanged, this, &ValueEditor::close);
  connect(&controller_, &SimController::stopped, this, &ValueEditor::close);
}

void ValueEditor::open(QTableWidget* table, int row, int column) {
  close();
  QString text;
  if (table == variables_) {
    if (column < kFirstValueColumn || row < 0 || row >= static_cast<int>(controller_.map().variables.size())) return;
    const QTableWidgetItem* decimal = table->item(row, kFirstValueColumn);
    text = decimal && decimal->text() != QLatin1String("-") ? decimal->text() : QString();
  } else {
    const QTableWidgetItem* name = table->item(row, 0);
    const RegisterRow* reg = name && column > 0 ? FindRegister(name->text()) : nullptr;
    if (column == 0) return;
    if (!reg) {
      emit message(QStringLiteral("Il PC e lo stack non si cambiano a mano: usare Reset o i passi."), true);
      return;
    }
    const ChipSnapshot& chip = controller_.chip();
    const int value = reg->address < 0 ? chip.w : chip.reg(reg->address);
    if (value >= 0) text = QString::number(reg->statusBit < 0 ? value : (value >> reg->statusBit & 1));
  }
  if (!controller_.ready()) {
    const QString why = QStringLiteral("Per cambiare un valore mettere prima in pausa la simulazione.");
    QToolTip::showText(table->viewport()->mapToGlobal(table->visualRect(table->model()->index(row, column)).bottomLeft()),
                       why, table);
    emit message(why, true);
    return;
  }
  table_ = table;
  row_ = row;
  field_ = new QLineEdit(text, table->viewport());
  field_->setObjectName(QStringLiteral("valore_a_mano"));
  QRect cell = table->visualRect(table->model()->index(row, column));
  cell.setWidth(std::max(cell.width(), field_->fontMetrics().horizontalAdvance(QStringLiteral("B'00000000'  ")) + 12));
  field_->setGeometry(cell);
  field_->installEventFilter(this);
  connect(field_, &QLineEdit::returnPressed, this, &ValueEditor::commit);
  field_->show();
  field_->setFocus();
  field_->selectAll();
}

void ValueEditor::commit() {
  if (!field_ || !table_) return;
  const QString text = field_->text();
  QString error;
  const bool done = table_ == variables_ ? writeVariable(row_, text, &error)
                                         : writeRegister(table_->item(row_, 0)->text(), text, &error);
  if (!done) {
    field_->setStyleSheet(QStringLiteral("border: 2px solid #b00000;"));
    QToolTip::showText(field_->mapToGlobal(QPoint(0, field_->height())), error, field_);
    emit message(error, true);
    return;
  }
  emit message(QStringLiteral("Valore scritto nel chip: %1.").arg(text.trimmed()), false);
  close();
}

void ValueEditor::close() {
  if (!field_) return;
  QLineEdit* field = field_;
  field_ = nullptr;
  table_ = nullptr;
  field->removeEventFilter(this);
  field->hide();
  field->deleteLater();
}

bool ValueEditor::eventFilter(QObject* watched, QEvent* event) {
  if (watched == field_ && event->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
    close();
    return true;
  }
  if (watched == field_ && event->type() == QEvent::FocusOut) close();
  return QObject::eventFilter(watched, event);
}

bool ValueEditor::writeVariable(int row, const QString& text, QString* error) {
  const auto& variables = controller_.map().variables;
  if (row < 0 || row >= static_cast<int>(variables.size())) return false;
  std::vector<std::int64_t> values;
  for (const QString& part : text.split(QRegularExpression(QStringLiteral("[\\s|]+")), Qt::SkipEmptyParts)) {
    const auto value = ParseTypedNumber(part);
    if (!value) {
      *error = QStringLiteral("\"%1\" non è un numero: scrivere per esempio 200, -1, 0x1F, &H1F o B'00011111'.").arg(part);
      return false;
    }
    values.push_back(*value);
  }
  const auto writes = VariableWrites(variables[static_cast<size_t>(row)], values, error);
  if (!writes) return false;
  if (!controller_.writeValues(*writes)) {
    *error = QStringLiteral("Il valore non è stato scritto: la simulazione non è in pausa.");
    return false;
  }
  return true;
}

bool ValueEditor::writeRegister(const QString& name, const QString& text, QString* error) {
  const RegisterRow* reg = FindRegister(name);
  const auto value = ParseTypedNumber(text);
  if (!reg) return false;
  if (!value) {
    *error = QStringLiteral("\"%1\" non è un numero: scrivere per esempio 200, -1, 0x1F, &H1F o B'00011111'.").arg(text.trimmed());
    return false;
  }
  const bool bit = reg->statusBit >= 0;
  if (bit ? (*value != 0 && *value != 1) : (*value < -128 || *value > 255)) {
    *error = bit ? QStringLiteral("%1 vale 0 o 1.").arg(name) : QStringLiteral("%1 è un byte: da -128 a 255.").arg(name);
    return false;
  }
  const int byte = static_cast<int>(*value & 0xFF);
  bool sent = false;
  if (reg->address < 0) {
    sent = controller_.writeValues({}, byte);
  } else if (bit) {
    const int status = controller_.chip().reg(reg->address);
    sent = status >= 0 && controller_.writeValues({{reg->address, (status & ~(1 << reg->statusBit)) | byte << reg->statusBit}});
  } else {
    sent = controller_.writeValues({{reg->address, byte}});
  }
  if (!sent) *error = QStringLiteral("Il valore non è stato scritto: la simulazione non è in pausa.");
  return sent;
}

}  // namespace velmora::simulator
