// SPDX-License-Identifier: GPL-3.0-or-later
#include "logic_analyser.h"

#include <QFileDialog>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMessageBox>
#include <QPainter>
#include <QToolBar>
#include <QToolButton>
#include <QToolTip>
#include <QVBoxLayout>
#include <QWheelEvent>
#include <algorithm>
#include <cmath>

#include "vcd_writer.h"

namespace velmora::simulator {

namespace {

// Six significant digits with a decimal comma, trailing zeros dropped
// (400,006 ms: a cycle still shows at 4 MHz).
QString Decimal(double value) {
  QString text = QString::number(value, 'g', 6);
  if (text.contains(QLatin1Char('e'))) text = QString::number(value, 'f', 0);
  return text.replace(QLatin1Char('.'), QLatin1Char(','));
}

const QColor kHigh(0, 140, 60);
const QColor kLow(0, 90, 40);
const QColor kInput(30, 90, 200);
const QColor kCursorA(200, 40, 40);
const QColor kCursorB(220, 130, 0);

}  // namespace

QString FormatSeconds(double seconds) {
  const double a = std::fabs(seconds);
  if (a == 0) return QStringLiteral("0 s");
  if (a < 1e-3) return Decimal(seconds * 1e6) + QStringLiteral(" µs");
  if (a < 1) return Decimal(seconds * 1e3) + QStringLiteral(" ms");
  return Decimal(seconds) + QStringLiteral(" s");
}

QString FormatHertz(double hertz) {
  if (hertz >= 1e6) return Decimal(hertz / 1e6) + QStringLiteral(" MHz");
  if (hertz >= 1e3) return Decimal(hertz / 1e3) + QStringLiteral(" kHz");
  return Decimal(hertz) + QStringLiteral(" Hz");
}

// ---------------------------------------------------------------- the view

WaveformView::WaveformView(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("forme_d_onda"));
  setFocusPolicy(Qt::StrongFocus);
  setMouseTracking(true);
  setAttribute(Qt::WA_OpaquePaintEvent);
}

QSize WaveformView::sizeHint() const { return {640, kAxisHeight + rowCount() * kRowHeight + 4}; }
QSize WaveformView::minimumSizeHint() const { return {200, kAxisHeight + rowCount() * kRowHeight + 4}; }

int WaveformView::rowCount() const {
  int rows = LogicRecording::kSignals;
  if (recording_)
    for (int bus = 0; bus < recording_->busCount(); ++bus) rows += recording_->bus(bus).shown;
  return rows;
}

int WaveformView::busAtRow(int row) const {
  if (!recording_ || row < LogicRecording::kSignals) return -1;
  for (int bus = 0, at = LogicRecording::kSignals; bus < recording_->busCount(); ++bus)
    if (recording_->bus(bus).shown && at++ == row) return bus;
  return -1;
}

void WaveformView::setRecording(const LogicRecording* recording) {
  recording_ = recording;
  fit();
}

void WaveformView::setView(double firstCycle, double cyclesPerPixel) {
  perPixel_ = std::clamp(cyclesPerPixel, 1.0 / 64, 1e12);
  first_ = std::max(0.0, firstCycle);
  update();
}

void WaveformView::fit() {
  follow_ = true;
  if (!recording_ || recording_->end() <= recording_->start()) return setView(0, 1);
  const double span = static_cast<double>(recording_->end() - recording_->start());
  setView(static_cast<double>(recording_->start()), span / traceWidth());
}

void WaveformView::zoom(double factor, int aroundX) {
  const double anchor = cycleAt(aroundX);
  const double perPixel = std::clamp(perPixel_ / factor, 1.0 / 64, 1e12);
  follow_ = false;
  setView(anchor - (aroundX - kLabelWidth) * perPixel, perPixel);
}

void WaveformView::pan(double pixels) {
  follow_ = false;
  setView(first_ + pixels * perPixel_, perPixel_);
}

void WaveformView::recordingGrew() {
  if (!recording_) return;
  if (rowCount() != rows_) {
    rows_ = rowCount();
    updateGeometry();
  }
  if (follow_) {
    fit();
  } else {
    update();
  }
}

void WaveformView::setCursors(std::optional<std::uint64_t> a, std::optional<std::uint64_t> b, int line) {
  cursorA_ = a;
  cursorB_ = b;
  if (line >= 0 && line < LogicRecording::kSignals) line_ = line;
  update();
  emit cursorsChanged();
}

int WaveformView::lineAt(int y) const {
  if (y < kAxisHeight) return -1;
  const int line = (y - kAxisHeight) / kRowHeight;
  return line < rowCount() ? line : -1;
}

std::optional<size_t> WaveformView::edgeAt(int line, int x) const {
  if (!recording_ || line < 0) return std::nullopt;
  const double c = cycleAt(x);
  if (c < 0) return std::nullopt;
  const auto tolerance = static_cast<std::uint64_t>(std::ceil(4 * perPixel_));
  const auto cycle = static_cast<std::uint64_t>(std::llround(c));
  if (line >= LogicRecording::kSignals) {
    const int bus = busAtRow(line);
    return bus < 0 ? std::nullopt : recording_->busChangeNear(bus, cycle, tolerance);
  }
  return recording_->edgeNear(line, cycle, tolerance);
}

std::uint64_t WaveformView::edgeCycle(int row, size_t index) const {
  const int bus = busAtRow(row);
  return bus >= 0 ? recording_->bus(bus).cycles[index] : recording_->signal(row).cycles[index];
}

int WaveformView::basicLineOf(int line, size_t index) const {
  if (!recording_ || !map_) return 0;
  if (const int bus = busAtRow(line); bus >= 0) {
    const LogicRecording::Bus& b = recording_->bus(bus);
    return index > 0 && index < b.size() ? map_->BasicLineAt(b.pcs[index]) : 0;
  }
  const LogicRecording::Signal& s = recording_->signal(line);
  if (index >= s.size() || !s.driven[index]) return 0;
  return map_->BasicLineAt(s.pcs[index]);
}

QString WaveformView::describeEdge(int line, size_t index) const {
  if (const int bus = busAtRow(line); bus >= 0) {
    const LogicRecording::Bus& b = recording_->bus(bus);
    const double seconds = static_cast<double>(b.cycles[index]) * 4.0 / static_cast<double>(clockHz_);
    const QString text = QStringLiteral("%1 = %2 (0x%3) da %4 (ciclo %5)")
                             .arg(QString::fromStdString(b.name))
                             .arg(b.values[index])
                             .arg(b.values[index], 2, 16, QLatin1Char('0'))
                             .arg(FormatSeconds(seconds))
                             .arg(b.cycles[index]);
    const int basic = basicLineOf(line, index);
    return basic > 0 ? text + QStringLiteral(", riga %1 del programma").arg(basic) : text;
  }
  const LogicRecording::Signal& s = recording_->signal(line);
  const double seconds = static_cast<double>(s.cycles[index]) * 4.0 / static_cast<double>(clockHz_);
  QString text = QStringLiteral("%1: %2 a %3 (ciclo %4)")
                     .arg(QString::fromStdString(toolchain::TraceLineName(line)),
                          s.levels[index] ? QStringLiteral("salita") : QStringLiteral("discesa"),
                          FormatSeconds(seconds))
                     .arg(s.cycles[index]);
  if (!s.driven[index]) return text + QStringLiteral(", dall'esterno (ingresso)");
  const int basic = basicLineOf(line, index);
  return basic > 0 ? text + QStringLiteral(", riga %1 del programma").arg(basic) : text;
}

void WaveformView::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.fillRect(rect(), palette().base());
  p.fillRect(QRect(0, 0, kLabelWidth, height()), palette().window());
  paintAxis(p);
  if (!recording_) return;
  const double last = static_cast<double>(recording_->end());
  for (int line = 0; line < LogicRecording::kSignals; ++line) paintLine(p, line, last);
  for (int row = LogicRecording::kSignals; row < rowCount(); ++row) paintBus(p, row, busAtRow(row), last);
  p.setClipRect(QRect(kLabelWidth, 0, width() - kLabelWidth, height()));
  for (const auto& [cursor, colour, name] : {std::tuple(cursorA_, kCursorA, QStringLiteral("A")),
                                             std::tuple(cursorB_, kCursorB, QStringLiteral("B"))}) {
    if (!cursor) continue;
    const int x = static_cast<int>(std::lround(xOf(static_cast<double>(*cursor))));
    p.setPen(QPen(colour, 1, Qt::DashLine));
    p.drawLine(x, kAxisHeight, x, height());
    p.setPen(colour);
    p.drawText(x + 3, kAxisHeight + 11, name);
  }
}

void WaveformView::paintAxis(QPainter& p) {
  p.setPen(palette().text().color());
  p.drawLine(kLabelWidth, kAxisHeight - 1, width(), kAxisHeight - 1);
  // A tick every power of ten (or 2 or 5 of them) of seconds, about 100 px apart.
  const double secondsPerPixel = perPixel_ * 4.0 / static_cast<double>(clockHz_);
  const double raw = secondsPerPixel * 100;
  const double decade = std::pow(10.0, std::floor(std::log10(raw)));
  const double step = raw / decade < 2 ? decade * 2 : raw / decade < 5 ? decade * 5 : decade * 10;
  const double firstSecond = first_ * 4.0 / static_cast<double>(clockHz_);
  const double lastSecond = cycleAt(width()) * 4.0 / static_cast<double>(clockHz_);
  QFont small = font();
  small.setPointSizeF(std::max(6.0, small.pointSizeF() - 1));
  p.setFont(small);
  for (double t = std::ceil(firstSecond / step) * step; t <= lastSecond; t += step) {
    const int x = static_cast<int>(std::lround(xOf(t * static_cast<double>(clockHz_) / 4.0)));
    p.drawLine(x, kAxisHeight - 5, x, kAxisHeight - 1);
    p.drawText(x + 2, kAxisHeight - 6, FormatSeconds(t));
  }
  for (int line = 0; line < LogicRecording::kSignals; ++line) {
    p.setPen(line == line_ ? kCursorA : palette().text().color());
    p.drawText(QRect(4, rowTop(line), kLabelWidth - 6, kRowHeight), Qt::AlignVCenter | Qt::AlignLeft,
               QString::fromStdString(toolchain::TraceLineName(line)));
  }
  p.setPen(palette().text().color());
  for (int row = LogicRecording::kSignals; recording_ && row < rowCount(); ++row) {
    const QString name = QString::fromStdString(recording_->bus(busAtRow(row)).name);
    p.drawText(QRect(4, rowTop(row), kLabelWidth - 6, kRowHeight), Qt::AlignVCenter | Qt::AlignLeft,
               p.fontMetrics().elidedText(name, Qt::ElideRight, kLabelWidth - 6));
  }
}

void WaveformView::paintLine(QPainter& p, int line, double last) {
  const LogicRecording::Signal& s = recording_->signal(line);
  const int top = rowTop(line);
  const int yHigh = top + 4, yLow = top + kRowHeight - 5;
  p.setPen(QColor(225, 225, 225));
  p.drawLine(kLabelWidth, top + kRowHeight - 1, width(), top + kRowHeight - 1);
  if (s.size() == 0) return;
  const double left = first_, right = cycleAt(width());
  const double lastVisible = std::min(last, right);
  // The edge in force at the left border, then the edges on screen.
  auto first = std::upper_bound(s.cycles.begin(), s.cycles.end(), static_cast<std::uint64_t>(std::max(0.0, left)));
  size_t j = static_cast<size_t>(first - s.cycles.begin());
  double x = kLabelWidth;
  int level = -1;
  if (j > 0) {
    level = s.levels[j - 1];
  } else {
    x = std::max<double>(kLabelWidth, xOf(static_cast<double>(s.cycles[0])));
    level = s.levels[0];
    j = 1;
  }
  if (static_cast<double>(s.cycles[0]) > right) return;
  QPolygonF wave;
  wave.reserve(4 * std::min<size_t>(s.size(), static_cast<size_t>(width()) + 2));
  std::vector<QLineF> bars;  // columns with more than one edge
  wave << QPointF(x, level ? yHigh : yLow);
  while (j < s.size() && static_cast<double>(s.cycles[j]) <= lastVisible) {
    const double ex = std::floor(xOf(static_cast<double>(s.cycles[j])));
    // Every edge before the next pixel column belongs to this one.
    const auto nextColumn = static_cast<std::uint64_t>(std::max(0.0, std::ceil(cycleAt(ex + 1))));
    const size_t k = std::max(j + 1, static_cast<size_t>(std::lower_bound(s.cycles.begin() + static_cast<long>(j),
                                                                          s.cycles.end(), nextColumn) -
                                                         s.cycles.begin()));
    wave << QPointF(ex, level ? yHigh : yLow);
    if (k - j > 1) bars.emplace_back(ex, yHigh, ex, yLow);
    level = s.levels[k - 1];
    wave << QPointF(ex, level ? yHigh : yLow);
    j = k;
  }
  wave << QPointF(std::min<double>(width(), xOf(lastVisible)), level ? yHigh : yLow);
  p.setClipRect(QRect(kLabelWidth, top, width() - kLabelWidth, kRowHeight));
  const bool input = s.size() > 1 && !s.driven.back();
  p.setPen(QPen(input ? kInput : kHigh, 1));
  p.drawPolyline(wave);
  if (!bars.empty()) {
    p.setPen(QPen(input ? kInput : kLow, 1));
    p.drawLines(bars.data(), static_cast<int>(bars.size()));
  }
  p.setClipping(false);
}

// A bus as a band between two rails, crossed at each change of value, with
// the value (decimal) written where its stretch is wide enough; zoomed out,
// a pixel column holding several changes is filled.
void WaveformView::paintBus(QPainter& p, int row, int bus, double last) {
  const LogicRecording::Bus& b = recording_->bus(bus);
  const int top = rowTop(row);
  const double yTop = top + 4, yBottom = top + kRowHeight - 5, yMiddle = (yTop + yBottom) / 2;
  p.setPen(QColor(225, 225, 225));
  p.drawLine(kLabelWidth, top + kRowHeight - 1, width(), top + kRowHeight - 1);
  if (b.size() == 0) return;
  const double right = std::min(last, cycleAt(width()));
  if (static_cast<double>(b.cycles[0]) > right) return;
  size_t j = static_cast<size_t>(
      std::upper_bound(b.cycles.begin(), b.cycles.end(), static_cast<std::uint64_t>(std::max(0.0, first_))) -
      b.cycles.begin());
  if (j == 0) j = 1;
  // Stretches of one value on screen: [x0, x1) and the value.
  struct Stretch { double x0, x1; int value; };
  std::vector<Stretch> stretches;
  std::vector<QRectF> filled;
  double x = std::max<double>(kLabelWidth, xOf(static_cast<double>(b.cycles[j - 1])));
  int value = b.values[j - 1];
  while (j < b.size() && static_cast<double>(b.cycles[j]) <= right) {
    const double ex = std::floor(xOf(static_cast<double>(b.cycles[j])));
    const auto nextColumn = static_cast<std::uint64_t>(std::max(0.0, std::ceil(cycleAt(ex + 1))));
    const size_t k = std::max(j + 1, static_cast<size_t>(std::lower_bound(b.cycles.begin() + static_cast<long>(j),
                                                                          b.cycles.end(), nextColumn) -
                                                         b.cycles.begin()));
    stretches.push_back({x, ex, value});
    if (k - j > 1) filled.emplace_back(ex, yTop, 1, yBottom - yTop);
    value = b.values[k - 1];
    x = ex;
    j = k;
  }
  stretches.push_back({x, std::min<double>(width(), xOf(right)), value});
  p.setClipRect(QRect(kLabelWidth, top, width() - kLabelWidth, kRowHeight));
  const QColor colour(120, 60, 170);
  QFont small = font();
  small.setPointSizeF(std::max(6.0, small.pointSizeF() - 1));
  p.setFont(small);
  const QFontMetrics metrics(small);
  for (const Stretch& st : stretches) {
    if (st.x1 <= st.x0) continue;
    const double slant = std::min(3.0, (st.x1 - st.x0) / 2);
    p.setPen(QPen(colour, 1));
    const QPointF band[] = {{st.x0, yMiddle}, {st.x0 + slant, yTop}, {st.x1 - slant, yTop}, {st.x1, yMiddle},
                            {st.x1 - slant, yBottom}, {st.x0 + slant, yBottom}, {st.x0, yMiddle}};
    p.drawPolyline(band, 7);
    const QString text = QString::number(st.value);
    if (st.x1 - st.x0 > metrics.horizontalAdvance(text) + 8) {
      p.setPen(palette().text().color());
      p.drawText(QRectF(st.x0, yTop, st.x1 - st.x0, yBottom - yTop), Qt::AlignCenter, text);
    }
  }
  for (const QRectF& column : filled) p.fillRect(column, colour);
  p.setClipping(false);
}

void WaveformView::resizeEvent(QResizeEvent*) {
  if (follow_) fit();
}

void WaveformView::wheelEvent(QWheelEvent* event) {
  const double steps = event->angleDelta().y() / 120.0;
  if (event->modifiers() & Qt::ShiftModifier) {
    pan(-steps * traceWidth() / 8);
  } else {
    zoom(std::pow(1.25, steps), static_cast<int>(event->position().x()));
  }
  event->accept();
}

void WaveformView::keyPressEvent(QKeyEvent* event) {
  const int middle = kLabelWidth + static_cast<int>(traceWidth() / 2);
  switch (event->key()) {
    case Qt::Key_Plus:
    case Qt::Key_Equal:
      return zoom(2, middle);
    case Qt::Key_Minus:
      return zoom(0.5, middle);
    case Qt::Key_Left:
      return pan(-traceWidth() / 4);
    case Qt::Key_Right:
      return pan(traceWidth() / 4);
    case Qt::Key_Home:
      return fit();
    case Qt::Key_End:
      follow_ = true;
      return recordingGrew();
    default:
      QWidget::keyPressEvent(event);
  }
}

std::uint64_t WaveformView::placeAt(int line, int x) const {
  if (const auto edge = edgeAt(line, x)) return edgeCycle(line, *edge);
  return static_cast<std::uint64_t>(std::max(0.0, std::round(cycleAt(x))));
}

void WaveformView::mousePressEvent(QMouseEvent* event) {
  dragX_ = static_cast<int>(event->position().x());
  dragged_ = false;
}

void WaveformView::mouseMoveEvent(QMouseEvent* event) {
  const int x = static_cast<int>(event->position().x());
  if (dragX_ && (event->buttons() & Qt::LeftButton)) {
    if (std::abs(x - *dragX_) > 3 || dragged_) {
      pan(*dragX_ - x);
      dragX_ = x;
      dragged_ = true;
    }
    return;
  }
  const int line = lineAt(static_cast<int>(event->position().y()));
  const auto edge = x > kLabelWidth ? edgeAt(line, x) : std::nullopt;
  const QString text = edge ? describeEdge(line, *edge) : QString();
  if (edge) QToolTip::showText(event->globalPosition().toPoint(), text, this);
  else QToolTip::hideText();
  emit hovered(text);
}

void WaveformView::mouseReleaseEvent(QMouseEvent* event) {
  const bool click = !dragged_;
  dragX_.reset();
  dragged_ = false;
  const int x = static_cast<int>(event->position().x());
  const int line = lineAt(static_cast<int>(event->position().y()));
  if (!click || !recording_ || line < 0 || x <= kLabelWidth) return;
  const std::uint64_t at = placeAt(line, x);
  if (event->button() == Qt::RightButton) {
    setCursors(cursorA_, at, line);
    return;
  }
  setCursors(at, cursorB_, line);
  if (const auto edge = edgeAt(line, x)) {
    const int basic = basicLineOf(line, *edge);
    if (basic > 0) emit basicLineRequested(basic);
  }
}

// ---------------------------------------------------------------- the panel

LogicAnalyser::LogicAnalyser(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("analizzatore_logico"));
  view_ = new WaveformView(this);
  measure_ = new QLabel(this);
  measure_->setObjectName(QStringLiteral("misura"));
  measure_->setTextInteractionFlags(Qt::TextSelectableByMouse);
  hover_ = new QLabel(this);
  hover_->setObjectName(QStringLiteral("fronte"));

  // A tool bar, not a row of buttons: when the bench is narrow its last
  // commands go into the bar's "»" menu instead of widening the panel (a
  // panel wider than the bench would hide the newest part of the
  // recording beyond the right edge).
  auto* bar = new QToolBar(this);
  bar->setObjectName(QStringLiteral("comandi_analizzatore"));
  bar->setToolButtonStyle(Qt::ToolButtonTextOnly);
  const auto command = [&](const QString& text, const QString& tip, auto slot) {
    QAction* a = bar->addAction(text, this, slot);
    a->setToolTip(tip);
    return a;
  };
  command(QStringLiteral("Adatta"), QStringLiteral("Mostra tutta la registrazione (Home)"), [this] { view_->fit(); });
  command(QStringLiteral("Zoom +"), QStringLiteral("Ingrandisce (+ o rotellina)"),
          [this] { view_->zoom(2, view_->traceLeft() + (view_->width() - view_->traceLeft()) / 2); });
  command(QStringLiteral("Zoom −"), QStringLiteral("Riduce (- o rotellina)"),
          [this] { view_->zoom(0.5, view_->traceLeft() + (view_->width() - view_->traceLeft()) / 2); });
  variables_ = new QMenu(QStringLiteral("Variabili"), this);
  QAction* variables = variables_->menuAction();
  variables->setObjectName(QStringLiteral("scegli_bus"));
  variables->setToolTip(QStringLiteral("Mostra variabili BYTE del programma come bus sotto le linee"));
  bar->addAction(variables);
  if (auto* b = qobject_cast<QToolButton*>(bar->widgetForAction(variables)))
    b->setPopupMode(QToolButton::InstantPopup);
  connect(variables_, &QMenu::aboutToShow, this, &LogicAnalyser::fillVariablesMenu);
  command(QStringLiteral("Esporta VCD…"), QStringLiteral("Salva la registrazione per un visualizzatore di forme d'onda"),
          [this] { askExportVcd(); });
  command(QStringLiteral("Esporta PNG…"), QStringLiteral("Salva l'immagine del grafico"), [this] { askExportPng(); });
  // The mouse's commands, in the line under the graph while no edge is
  // pointed at.
  hoverHelp_ = QStringLiteral("Click: cursore A · click destro: cursore B · rotellina: zoom · "
                              "Maiusc+rotellina o trascina: scorre");
  hover_->setText(hoverHelp_);
  hover_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
  measure_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(4, 4, 4, 4);
  layout->addWidget(bar);
  layout->addWidget(view_, 1);
  layout->addWidget(measure_);
  layout->addWidget(hover_);

  connect(view_, &WaveformView::cursorsChanged, this, &LogicAnalyser::showMeasure);
  connect(view_, &WaveformView::hovered, hover_,
          [this](const QString& text) { hover_->setText(text.isEmpty() ? hoverHelp_ : text); });
  connect(view_, &WaveformView::basicLineRequested, this, &LogicAnalyser::basicLineRequested);
  showMeasure();
}

void LogicAnalyser::setByteVariables(const QStringList& all, const QStringList& shown) {
  allVariables_ = all;
  shownVariables_ = shown;
}

void LogicAnalyser::fillVariablesMenu() {
  variables_->clear();
  if (allVariables_.isEmpty()) {
    variables_->addAction(QStringLiteral("Nessuna variabile BYTE nel programma"))->setEnabled(false);
    return;
  }
  for (const QString& name : allVariables_) {
    QAction* action = variables_->addAction(name);
    action->setCheckable(true);
    action->setChecked(shownVariables_.contains(name));
    connect(action, &QAction::toggled, this, [this, name](bool on) {
      if (on && !shownVariables_.contains(name)) shownVariables_ << name;
      if (!on) shownVariables_.removeAll(name);
      emit busesChosen(shownVariables_);
    });
  }
}

void LogicAnalyser::setRecording(const LogicRecording* recording) {
  recording_ = recording;
  view_->setRecording(recording);
  showMeasure();
}

void LogicAnalyser::setClock(long hz) {
  view_->setClock(hz);
  showMeasure();
}

void LogicAnalyser::refresh() {
  view_->recordingGrew();
  showMeasure();
}

QString LogicAnalyser::DroppedNote() const {
  if (!recording_ || recording_->droppedEdges() == 0) return {};
  const std::uint64_t n = recording_->droppedEdges();
  return QStringLiteral("Registrazione lunga: %1 %2 più %3 (si tengono al massimo gli ultimi %4).   ")
      .arg(n)
      .arg(n == 1 ? QStringLiteral("fronte") : QStringLiteral("fronti"))
      .arg(n == 1 ? QStringLiteral("vecchio scartato") : QStringLiteral("vecchi scartati"))
      .arg(recording_->cap());
}

CursorMeasure LogicAnalyser::measure() const {
  if (!recording_ || !view_->cursorA() || !view_->cursorB()) return {};
  return Measure(*recording_, view_->measuredLine(), *view_->cursorA(), *view_->cursorB(), view_->clock());
}

QString LogicAnalyser::measureText() const {
  const QString line = QString::fromStdString(toolchain::TraceLineName(view_->measuredLine()));
  if (!recording_ || recording_->edgeCount() == 0)
    return QStringLiteral("Nessuna registrazione: avviare la simulazione.");
  if (!view_->cursorA() || !view_->cursorB())
    return DroppedNote() + QStringLiteral("Linea %1. Mettere i cursori A (click) e B (click destro) per misurare.").arg(line);
  const CursorMeasure m = measure();
  QString text = DroppedNote() + QStringLiteral("Linea %1   Δt = %2 (%3 %4)").arg(line, FormatSeconds(m.seconds)).arg(m.cycles)
                     .arg(m.cycles == 1 ? QStringLiteral("ciclo") : QStringLiteral("cicli"));
  if (m.cycles > 0)
    text += QStringLiteral("   f = %1   duty cycle = %2 %").arg(FormatHertz(m.hertz), Decimal(m.duty * 100));
  return text;
}

void LogicAnalyser::showMeasure() { measure_->setText(measureText()); }

bool LogicAnalyser::exportVcd(const QString& path, QString* error) const {
  if (!recording_) {
    if (error) *error = QStringLiteral("Nessuna registrazione da esportare.");
    return false;
  }
  std::string reason;
  if (toolchain::WriteVcdFile(path.toStdString(), recording_->toTrace(), view_->clock(), reason)) return true;
  if (error) *error = QString::fromStdString(reason);
  return false;
}

bool LogicAnalyser::exportPng(const QString& path, QString* error) const {
  if (view_->grab().save(path, "PNG")) return true;
  if (error) *error = QStringLiteral("Impossibile scrivere %1.").arg(path);
  return false;
}

void LogicAnalyser::askExportVcd() {
  const QString path = QFileDialog::getSaveFileName(this, QStringLiteral("Esporta VCD"), QString(),
                                                    QStringLiteral("Value change dump (*.vcd)"));
  QString error;
  if (!path.isEmpty() && !exportVcd(path, &error)) QMessageBox::warning(this, QStringLiteral("Esporta VCD"), error);
}

void LogicAnalyser::askExportPng() {
  const QString path = QFileDialog::getSaveFileName(this, QStringLiteral("Esporta PNG"), QString(),
                                                    QStringLiteral("Immagine PNG (*.png)"));
  QString error;
  if (!path.isEmpty() && !exportPng(path, &error)) QMessageBox::warning(this, QStringLiteral("Esporta PNG"), error);
}

}  // namespace velmora::simulator
