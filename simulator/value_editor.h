// SPDX-License-Identifier: GPL-3.0-or-later
// Values changed by hand while the simulation is stopped: a click on a
// variable's value (any of its three columns) or on a register's value opens
// a field over the cell; Enter writes what was typed into the chip through
// gpsim (the view then shows the value read back), Esc or a click elsewhere
// leaves it unchanged. Numbers are written as the dialect and the assembler
// write them: 200, -1, 0x1F, &H1F, B'00011111'. An array takes one number
// per element, separated by blanks; a value too large for the variable or
// the register is refused with a message.
//
// The tables are the simulator window's: the variables in the order of the
// program map, the registers named in their first column (W, Z, C, STATUS,
// TMR0, OPTION, INTCON, PORTA, PORTB, TRISA, TRISB can be changed; PC and
// the stack cannot).
#pragma once

#include <QObject>
#include <QLineEdit>
#include <QPointer>
#include <cstdint>
#include <optional>
#include <utility>
#include <vector>

#include "sim_controller.h"

class QTableWidget;

namespace velmora::simulator {

// A typed number: decimal (a minus sign allowed), 0x.., &H.., B'..'
// (letters of either case, blanks around ignored); nothing when it is none.
std::optional<std::int64_t> ParseTypedNumber(const QString& text);

// The register writes for a variable set to `values` (one per element, from
// the first): each element little-endian over its bytes, a negative number
// in two's complement. Nothing, with the Italian reason in `error`, when a
// value does not fit or there are more values than elements.
std::optional<std::vector<std::pair<int, int>>> VariableWrites(const toolchain::Variable& variable,
                                                               const std::vector<std::int64_t>& values, QString* error);

class ValueEditor : public QObject {
  Q_OBJECT

 public:
  ValueEditor(SimController& controller, QTableWidget* variables, QTableWidget* registers, QObject* parent = nullptr);

  // The field open over a cell; null when none is.
  QLineEdit* field() const { return field_; }

 signals:
  // What happened, for the window's message line (error: refused).
  void message(const QString& text, bool error);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void open(QTableWidget* table, int row, int column);
  void commit();
  void close();
  // False with the reason in `error` when the text cannot be written.
  bool writeVariable(int row, const QString& text, QString* error);
  bool writeRegister(const QString& name, const QString& text, QString* error);

  SimController& controller_;
  QPointer<QTableWidget> variables_, registers_;
  QPointer<QLineEdit> field_;
  QTableWidget* table_ = nullptr;  // where the field is open
  int row_ = -1;
};

}  // namespace velmora::simulator
