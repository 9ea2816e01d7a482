// SPDX-License-Identifier: GPL-3.0-or-later
#include "board_view.h"

#include <QComboBox>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>
#include <fstream>

#include "logic_recording.h"
#include "pin_trace.h"
#include "sim_controller.h"
#include "bounce_player.h"
#include "display_wiring.h"
#include "stimuli.h"

namespace velmora::simulator {

namespace {

using toolchain::Pin;

QString PinName(Pin p) { return QStringLiteral("%1%2").arg(QLatin1Char(p.port)).arg(p.bit); }

int PortBits(char port) { return port == 'A' ? 5 : 8; }

QSize PartSize(const BoardPart& p) {
  switch (p.kind) {
    case BoardPart::Kind::Led: return {44, 56};
    case BoardPart::Kind::Bar: return {24 * PortBits(p.port) + 12, 56};
    case BoardPart::Kind::Button: return {64, 64};
    case BoardPart::Kind::Switch: return {64, 64};
    case BoardPart::Kind::Dip: return {24 * PortBits(p.port) + 12, 64};
    case BoardPart::Kind::Display: return {std::max(110, 64 * std::max<int>(1, static_cast<int>(p.digits.size())) + 12), 110};
    case BoardPart::Kind::Tone: return {150, 48};
  }
  return {40, 40};
}

QRect PartRect(const BoardPart& p) { return {QPoint(p.x, p.y), PartSize(p)}; }

// The segments of a digit drawn in a 52x84 box: a..g as bars, dp a dot.
void PaintDigit(QPainter& painter, QRect box, std::uint8_t lit) {
  const int w = box.width(), h = box.height(), t = 7;
  const int x = box.x(), y = box.y(), mid = y + h / 2;
  const QRect bars[7] = {{x + t, y, w - 2 * t - 8, t},         {x + w - t - 8, y + t, t, h / 2 - t},
                         {x + w - t - 8, mid, t, h / 2 - t},   {x + t, y + h - t, w - 2 * t - 8, t},
                         {x, mid, t, h / 2 - t},               {x, y + t, t, h / 2 - t},
                         {x + t, mid - t / 2, w - 2 * t - 8, t}};
  for (int s = 0; s < 7; ++s)
    painter.fillRect(bars[s], (lit >> s) & 1 ? QColor(240, 30, 30) : QColor(70, 20, 20));
  painter.setBrush((lit >> 7) & 1 ? QColor(240, 30, 30) : QColor(70, 20, 20));
  painter.setPen(Qt::NoPen);
  painter.drawEllipse(QRect(x + w - 7, y + h - 7, 7, 7));
}

}  // namespace

// The drawing surface: parts at their places, the mouse on them.
class BoardCanvas : public QWidget {
 public:
  explicit BoardCanvas(BoardView& view) : QWidget(&view), view_(view) {
    setObjectName(QStringLiteral("scheda_area"));
    setMinimumSize(600, 260);
    setMouseTracking(false);
  }

  std::optional<size_t> partAt(QPoint p) const {
    const auto& parts = view_.board_.parts;
    for (size_t i = parts.size(); i-- > 0;)
      if (PartRect(parts[i]).contains(p)) return i;
    return std::nullopt;
  }

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter p(this);
    p.fillRect(rect(), QColor(20, 90, 60));  // the board's green
    p.setRenderHint(QPainter::Antialiasing);
    const auto& parts = view_.board_.parts;
    const SimController& c = view_.controller_;
    const int portA = c.chip().reg(0x05), portB = c.chip().reg(0x06);
    int buttonNumber = 0;
    for (size_t i = 0; i < parts.size(); ++i) {
      const BoardPart& part = parts[i];
      const QRect r = PartRect(part);
      p.setPen(QPen(view_.conflict(i) ? QColor(255, 60, 60) : QColor(200, 220, 200), view_.conflict(i) ? 3 : 1));
      p.setBrush(QColor(30, 60, 45));
      p.drawRoundedRect(r, 6, 6);
      p.setPen(Qt::white);
      const QRect caption(r.x(), r.bottom() - 15, r.width(), 14);
      switch (part.kind) {
        case BoardPart::Kind::Led: {
          const bool on = PinHigh(part.pin, portA, portB) == part.activeHigh && portA >= 0;
          p.setBrush(on ? QColor(255, 50, 40) : QColor(90, 20, 20));
          p.drawEllipse(QPoint(r.center().x(), r.y() + 20), 12, 12);
          p.drawText(caption, Qt::AlignCenter, PinName(part.pin));
          break;
        }
        case BoardPart::Kind::Bar:
        case BoardPart::Kind::Dip: {
          const int bits = PortBits(part.port);
          for (int b = 0; b < bits; ++b) {
            const QRect cell(r.x() + 6 + (bits - 1 - b) * 24, r.y() + 8, 20, 28);
            const Pin pin{part.port, b};
            if (part.kind == BoardPart::Kind::Bar) {
              p.fillRect(cell, PinHigh(pin, portA, portB) ? QColor(255, 60, 40) : QColor(90, 25, 20));
            } else {
              const bool onBit = (part.dipState >> b) & 1;
              p.fillRect(cell, QColor(230, 230, 230));
              p.fillRect(QRect(cell.x() + 4, onBit ? cell.y() + 2 : cell.y() + 14, 12, 12), QColor(40, 40, 140));
            }
          }
          p.drawText(caption, Qt::AlignCenter,
                     (part.kind == BoardPart::Kind::Bar ? QStringLiteral("LED porta %1") : QStringLiteral("DIP porta %1"))
                         .arg(QLatin1Char(part.port)));
          break;
        }
        case BoardPart::Kind::Button: {
          ++buttonNumber;
          const bool pressed = pressed_ && *pressed_ == i;
          p.setBrush(pressed ? QColor(120, 120, 120) : QColor(200, 40, 40));
          p.drawEllipse(QPoint(r.center().x(), r.y() + 24), pressed ? 13 : 16, pressed ? 13 : 16);
          p.drawText(caption, Qt::AlignCenter, QStringLiteral("%1  [%2]").arg(PinName(part.pin)).arg(buttonNumber));
          break;
        }
        case BoardPart::Kind::Switch: {
          p.fillRect(QRect(r.x() + 14, r.y() + 10, 36, 20), QColor(220, 220, 220));
          p.fillRect(QRect(part.switchedOn ? r.x() + 32 : r.x() + 14, r.y() + 10, 18, 20), QColor(40, 40, 140));
          p.drawText(caption, Qt::AlignCenter, PinName(part.pin) + (part.switchedOn ? QStringLiteral(" on") : QStringLiteral(" off")));
          break;
        }
        case BoardPart::Kind::Display: {
          const size_t digits = std::max<size_t>(1, part.digits.size());
          const int left = r.x() + (r.width() - 64 * static_cast<int>(digits)) / 2 + 4;
          for (size_t d = 0; d < digits; ++d)
            PaintDigit(p, QRect(left + 64 * static_cast<int>(d), r.y() + 6, 56, 84), view_.litSegments(part, d));
          p.setPen(Qt::white);
          p.drawText(caption, Qt::AlignCenter, part.commonAnode ? QStringLiteral("anodo comune") : QStringLiteral("catodo comune"));
          break;
        }
        case BoardPart::Kind::Tone: {
          const auto hz = view_.toneHertz(part);
          p.drawText(r.adjusted(6, 4, -6, -16), Qt::AlignCenter,
                     hz ? QStringLiteral("♪ %1 Hz").arg(QString::number(*hz, 'f', 1).replace(QLatin1Char('.'), QLatin1Char(',')))
                        : QStringLiteral("♪ —"));
          p.drawText(caption, Qt::AlignCenter, QStringLiteral("tono su %1").arg(PinName(part.pin)));
          break;
        }
      }
      if (view_.conflict(i)) {
        p.setPen(QColor(255, 90, 90));
        p.drawText(QRect(r.x(), r.y() - 14, 260, 14), Qt::AlignLeft, QStringLiteral("conflitto: la linea è un'uscita"));
      }
    }
    if (parts.empty()) {
      p.setPen(QColor(200, 220, 200));
      p.drawText(rect(), Qt::AlignCenter,
                 QStringLiteral("Scheda vuota: scegliere una parte e la linea, poi «Aggiungi».\n"
                                "Trascinare per spostare, click destro per togliere."));
    }
  }

  void mousePressEvent(QMouseEvent* e) override {
    view_.setFocus();
    const auto at = partAt(e->position().toPoint());
    if (!at) return;
    if (e->button() == Qt::RightButton) {
      view_.board_.parts.erase(view_.board_.parts.begin() + static_cast<long>(*at));
      view_.changed();
      return;
    }
    dragging_ = at;
    grab_ = e->position().toPoint() - PartRect(view_.board_.parts[*at]).topLeft();
    moved_ = false;
    BoardPart& part = view_.board_.parts[*at];
    if (part.kind == BoardPart::Kind::Button) {
      pressed_ = at;
      view_.press(part, true);
    }
    update();
  }

  // A double click on a display chooses its lines.
  void mouseDoubleClickEvent(QMouseEvent* e) override {
    const auto at = partAt(e->position().toPoint());
    if (at && e->button() == Qt::LeftButton) view_.wireDisplay(*at);
  }

  void mouseMoveEvent(QMouseEvent* e) override {
    if (!dragging_) return;
    BoardPart& part = view_.board_.parts[*dragging_];
    const QPoint to = e->position().toPoint() - grab_;
    if (!moved_ && (to - QPoint(part.x, part.y)).manhattanLength() < 5) return;
    moved_ = true;
    part.x = std::clamp(to.x(), 0, 10000);
    part.y = std::clamp(to.y(), 0, 10000);
    update();
  }

  void mouseReleaseEvent(QMouseEvent* e) override {
    if (!dragging_) return;
    BoardPart& part = view_.board_.parts[*dragging_];
    if (pressed_) view_.press(part, false);
    if (!moved_ && part.kind == BoardPart::Kind::Switch) {
      part.switchedOn = !part.switchedOn;
      view_.drive(part.pin, part.switchedOn);
    } else if (!moved_ && part.kind == BoardPart::Kind::Dip) {
      const int bits = PortBits(part.port);
      const int cell = (static_cast<int>(e->position().x()) - part.x - 6) / 24;
      if (cell >= 0 && cell < bits) {
        const int bit = bits - 1 - cell;
        part.dipState = static_cast<std::uint8_t>(part.dipState ^ (1u << bit));
        view_.drive(Pin{part.port, bit}, (part.dipState >> bit) & 1);
      }
    }
    if (moved_) view_.changed();
    dragging_.reset();
    pressed_.reset();
    update();
  }

 public:
  std::optional<size_t> pressed_;

 private:
  BoardView& view_;
  std::optional<size_t> dragging_;
  QPoint grab_;
  bool moved_ = false;
};

BoardView::BoardView(SimController& controller, const LogicRecording* recording, QWidget* parent)
    : QWidget(parent), controller_(controller), recording_(recording) {
  setObjectName(QStringLiteral("scheda"));
  setFocusPolicy(Qt::StrongFocus);
  canvas_ = new BoardCanvas(*this);
  bounce_ = new BouncePlayer(controller_, this);
  palette_ = new QComboBox(this);
  palette_->setObjectName(QStringLiteral("parti"));
  palette_->addItems({QStringLiteral("LED (acceso se alta)"), QStringLiteral("LED (acceso se bassa)"),
                      QStringLiteral("Barra di LED (porta della linea)"), QStringLiteral("Pulsante (premuto = alta)"),
                      QStringLiteral("Pulsante (premuto = bassa)"), QStringLiteral("Interruttore"),
                      QStringLiteral("DIP switch (porta della linea)"),
                      QStringLiteral("Display 7 segmenti (linee a scelta)"),
                      QStringLiteral("Display 4 cifre multiplex (linee a scelta)"),
                      QStringLiteral("Frequenza di un tono")});
  auto* line = new QComboBox(this);
  line->setObjectName(QStringLiteral("linea_parte"));
  for (int i = 0; i < toolchain::kTraceLines; ++i)
    line->addItem(PinName(toolchain::TraceLinePin(i)));
  line->setCurrentIndex(5);
  auto* add = new QPushButton(QStringLiteral("Aggiungi"), this);
  connect(add, &QPushButton::clicked, this, [this, line] {
    linePick_ = toolchain::TraceLinePin(line->currentIndex());
    addPart();
  });
  recordButton_ = new QPushButton(QStringLiteral("Registra stimoli"), this);
  recordButton_->setCheckable(true);
  connect(recordButton_, &QPushButton::toggled, this, &BoardView::setRecordingStimuli);
  auto* save = new QPushButton(QStringLiteral("Salva stimoli…"), this);
  connect(save, &QPushButton::clicked, this, &BoardView::saveStimuli);
  message_ = new QLabel(this);
  message_->setObjectName(QStringLiteral("messaggio_scheda"));
  message_->setWordWrap(true);

  auto* tools = new QHBoxLayout;
  tools->addWidget(new QLabel(QStringLiteral("Parte"), this));
  tools->addWidget(palette_);
  tools->addWidget(new QLabel(QStringLiteral("linea"), this));
  tools->addWidget(line);
  tools->addWidget(add);
  tools->addStretch(1);
  tools->addWidget(recordButton_);
  tools->addWidget(save);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(4, 4, 4, 4);
  layout->addLayout(tools);
  layout->addWidget(canvas_, 1);
  layout->addWidget(message_);

  connect(&controller_, &SimController::progressed, this, &BoardView::refresh);
  connect(&controller_, &SimController::stopped, this, [this](SimController::Stop why, const QString&) {
    if (why == SimController::Stop::Started) {
      if (controller_.codPath() != loadedFor_) loadFor(controller_.codPath());
      // The inputs the board drives start at their resting level.
      for (const BoardPart& p : board_.parts) {
        if (p.kind == BoardPart::Kind::Button) drive(p.pin, !p.activeHigh);
        if (p.kind == BoardPart::Kind::Switch) drive(p.pin, p.switchedOn);
        if (p.kind == BoardPart::Kind::Dip)
          for (int b = 0; b < PortBits(p.port); ++b) drive(Pin{p.port, b}, (p.dipState >> b) & 1);
      }
    }
    refresh();
  });
}

void BoardView::loadFor(const QString& programPath) {
  loadedFor_ = programPath;
  path_ = programPath.isEmpty() ? QString() : QString::fromStdString(BoardPathFor(programPath.toStdString()));
  board_ = Board{};
  message_->clear();
  if (path_.isEmpty()) return refresh();
  BoardError error;
  const auto board = ReadBoardFile(path_.toStdString(), error);
  if (board) {
    board_ = *board;
  } else {
    // The program runs without the board; the file stays as it is until
    // the board is changed.
    message_->setText(QStringLiteral("Scheda non caricata: %1").arg(QString::fromStdString(error.Text())));
    path_.clear();
  }
  refresh();
}

void BoardView::setBoard(const Board& board) {
  board_ = board;
  refresh();
}

QString BoardView::message() const { return message_->text(); }

void BoardView::refresh() { canvas_->update(); }

void BoardView::drive(Pin pin, bool high) {
  controller_.setPin(pin, high);
  if (recordingStimuli_)
    stimuli_.push_back(toolchain::FormatStimulusLine(controller_.chip().cycles, {{pin, high}}));
}

void BoardView::press(const BoardPart& button, bool pressed) {
  const bool level = pressed == button.activeHigh;
  drive(button.pin, level);
  const auto train = BounceTrain(button.pin, level, button.bounceMs, controller_.frequency());
  if (!bounce_->play(train)) return;
  if (recordingStimuli_)
    for (size_t i = 1; i < train.size(); ++i)
      stimuli_.push_back(
          toolchain::FormatStimulusLine(controller_.chip().cycles + train[i].cycle, {{train[i].pin, train[i].high}}));
}

void BoardView::changed() {
  refresh();
  if (path_.isEmpty()) return;
  std::string error;
  if (!WriteBoardFile(path_.toStdString(), board_, error)) message_->setText(QString::fromStdString(error));
}

void BoardView::addPart() {
  BoardPart p;
  const Pin pin = linePick_;
  p.pin = pin;
  p.port = pin.port;
  switch (palette_->currentIndex()) {
    case 0: p.kind = BoardPart::Kind::Led; break;
    case 1: p.kind = BoardPart::Kind::Led; p.activeHigh = false; break;
    case 2: p.kind = BoardPart::Kind::Bar; break;
    case 3: p.kind = BoardPart::Kind::Button; break;
    case 4: p.kind = BoardPart::Kind::Button; p.activeHigh = false; break;
    case 5: p.kind = BoardPart::Kind::Switch; break;
    case 6: p.kind = BoardPart::Kind::Dip; break;
    case 7:
    case 8:
      p.kind = BoardPart::Kind::Display;
      for (int s = 0; s < 8; ++s) p.segments[static_cast<size_t>(s)] = Pin{'B', s};
      if (palette_->currentIndex() == 8) p.digits = {{'A', 0}, {'A', 1}, {'A', 2}, {'A', 3}};
      break;
    default: p.kind = BoardPart::Kind::Tone; break;
  }
  // Below the lowest part, wrapping to the right when the canvas is full.
  int y = 20;
  for (const BoardPart& q : board_.parts) y = std::max(y, q.y + PartSize(q).height() + 24);
  p.x = 20;
  p.y = y;
  if (p.y + PartSize(p).height() > canvas_->height()) {
    p.y = 20;
    for (const BoardPart& q : board_.parts) p.x = std::max(p.x, q.x + PartSize(q).width() + 20);
  }
  board_.parts.push_back(p);
  if (path_.isEmpty() && !loadedFor_.isEmpty() && message_->text().isEmpty())
    path_ = QString::fromStdString(BoardPathFor(loadedFor_.toStdString()));
  changed();
  if (p.kind == BoardPart::Kind::Display) wireDisplay(board_.parts.size() - 1);
}

void BoardView::wireDisplay(size_t index) {
  if (index >= board_.parts.size() || board_.parts[index].kind != BoardPart::Kind::Display) return;
  auto* dialog = new DisplayWiringDialog(board_.parts[index], this);
  dialog->setAttribute(Qt::WA_DeleteOnClose);
  connect(dialog, &QDialog::accepted, this, [this, dialog, index] {
    if (index >= board_.parts.size() || board_.parts[index].kind != BoardPart::Kind::Display) return;
    board_.parts[index] = dialog->wired(board_.parts[index]);
    changed();
  });
  dialog->open();
}

void BoardView::pressButton(int index, bool pressed) {
  int n = 0;
  for (size_t i = 0; i < board_.parts.size(); ++i) {
    const BoardPart& p = board_.parts[i];
    if (p.kind != BoardPart::Kind::Button || n++ != index) continue;
    press(p, pressed);
    if (pressed) canvas_->pressed_ = i;
    else canvas_->pressed_.reset();
    refresh();
    return;
  }
}

void BoardView::keyPressEvent(QKeyEvent* event) {
  const int key = event->key() - Qt::Key_1;
  if (key >= 0 && key < 8 && !event->isAutoRepeat()) return pressButton(key, true);
  QWidget::keyPressEvent(event);
}

void BoardView::keyReleaseEvent(QKeyEvent* event) {
  const int key = event->key() - Qt::Key_1;
  if (key >= 0 && key < 8 && !event->isAutoRepeat()) return pressButton(key, false);
  QWidget::keyReleaseEvent(event);
}

bool BoardView::conflict(size_t part) const {
  if (part >= board_.parts.size()) return false;
  const int trisA = controller_.chip().reg(0x85), trisB = controller_.chip().reg(0x86);
  for (const Pin& pin : board_.parts[part].drivenPins()) {
    const int tris = pin.port == 'A' ? trisA : trisB;
    if (tris >= 0 && !((tris >> pin.bit) & 1)) return true;
  }
  return false;
}

std::uint8_t BoardView::litSegments(const BoardPart& part, size_t digit) const {
  const int portA = controller_.chip().reg(0x05), portB = controller_.chip().reg(0x06);
  if (part.digits.empty() || !recording_ || recording_->edgeCount() == 0)
    return DigitSelected(part, digit, portA, portB) ? LitSegments(part, portA, portB) : 0;
  // Multiplexed: a segment of this digit lit at any moment of the last 5 ms.
  const std::uint64_t end = recording_->end();
  const auto window = static_cast<std::uint64_t>(0.005 * static_cast<double>(controller_.frequency()) / 4.0);
  const std::uint64_t from = end > window ? end - window : 0;
  const std::uint64_t step = std::max<std::uint64_t>(1, window / 400);
  std::uint8_t lit = 0;
  for (std::uint64_t t = from; t <= end; t += step) {
    int a = 0, b = 0;
    for (int line = 0; line < toolchain::kTraceLines; ++line) {
      if (recording_->levelAt(line, t) != 1) continue;
      const Pin p = toolchain::TraceLinePin(line);
      (p.port == 'A' ? a : b) |= 1 << p.bit;
    }
    if (DigitSelected(part, digit, a, b)) lit = static_cast<std::uint8_t>(lit | LitSegments(part, a, b));
  }
  return lit;
}

std::optional<int> BoardView::displayedDigit(size_t part, size_t digit) const {
  if (part >= board_.parts.size() || board_.parts[part].kind != BoardPart::Kind::Display) return std::nullopt;
  return DecodeDigit(litSegments(board_.parts[part], digit));
}

std::optional<double> BoardView::toneHertz(const BoardPart& part) const {
  if (!recording_) return std::nullopt;
  const int line = toolchain::TraceLineOf(part.pin);
  const LogicRecording::Signal& s = recording_->signal(line);
  const auto window = static_cast<std::uint64_t>(0.2 * static_cast<double>(controller_.frequency()) / 4.0);
  const std::uint64_t end = recording_->end();
  std::vector<std::uint64_t> rises;
  for (size_t i = recording_->firstAtOrAfter(line, end > window ? end - window : 0); i < s.size(); ++i)
    if (i > 0 && s.levels[i]) rises.push_back(s.cycles[i]);
  if (rises.size() < 3) return std::nullopt;
  const double seconds = static_cast<double>(rises.back() - rises.front()) * 4.0 / static_cast<double>(controller_.frequency());
  return static_cast<double>(rises.size() - 1) / seconds;
}

void BoardView::setRecordingStimuli(bool on) {
  if (on && !recordingStimuli_) stimuli_.clear();
  recordingStimuli_ = on;
  if (recordButton_->isChecked() != on) recordButton_->setChecked(on);
}

void BoardView::saveStimuli() {
  const QString path = QFileDialog::getSaveFileName(this, QStringLiteral("Salva stimoli"), QString(),
                                                    QStringLiteral("Stimoli (*.txt)"));
  if (path.isEmpty()) return;
  std::ofstream out(path.toStdString(), std::ios::binary);
  out << "# stimoli registrati dalla scheda (ciclo di istruzione, linea, livello)\n";
  for (const std::string& line : stimuli_) out << line << "\n";
  if (!out.flush()) message_->setText(QStringLiteral("Impossibile scrivere %1.").arg(path));
}

}  // namespace velmora::simulator
