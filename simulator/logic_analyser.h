// SPDX-License-Identifier: GPL-3.0-or-later
// The "Analizzatore logico" panel: the 13 lines against simulated time, as
// gpsim recorded them (LogicRecording), and below them the byte variables
// chosen as buses ("Variabili"), each value written in its stretch of time;
// with two cursors measuring the time
// between them, its frequency and the duty cycle of a line; an edge made by
// the program names its BASIC line, and a click on it asks the editor to go
// there. Exports the recording as .vcd and the view as .png.
//
// The view draws only what is visible: for each line a binary search finds
// the first edge on screen, and zoomed out each pixel column gets at most
// one mark (a column with several edges is drawn as a full-height bar), so
// a frame costs about the width in pixels times the lines, whatever the
// recording's length.
//
// Mouse: wheel zooms around the pointer, Shift+wheel (or dragging) pans;
// a click places cursor A (on the nearest edge of that line, when near
// one), a right click cursor B. Keys: + and - zoom, Left/Right pan, Home
// shows everything, End follows the end of a running recording.
#pragma once

#include <QStringList>
#include <QWidget>
#include <cstdint>
#include <optional>

#include "logic_recording.h"
#include "program_map.h"

class QLabel;
class QMenu;

namespace velmora::simulator {

class WaveformView : public QWidget {
  Q_OBJECT

 public:
  explicit WaveformView(QWidget* parent = nullptr);

  void setRecording(const LogicRecording* recording);
  void setProgramMap(const ProgramMap* map) { map_ = map; }
  void setClock(long hz) { clockHz_ = hz > 0 ? hz : 4000000; update(); }
  long clock() const { return clockHz_; }

  // The visible span: the cycle at the left edge of the traces and the
  // cycles per pixel.
  void setView(double firstCycle, double cyclesPerPixel);
  double firstCycle() const { return first_; }
  double cyclesPerPixel() const { return perPixel_; }
  void fit();
  void zoom(double factor, int aroundX);
  void pan(double pixels);
  // Keeps the end of the recording in view as it grows (Home, End).
  bool following() const { return follow_; }
  void recordingGrew();

  std::optional<std::uint64_t> cursorA() const { return cursorA_; }
  std::optional<std::uint64_t> cursorB() const { return cursorB_; }
  int measuredLine() const { return line_; }
  void setCursors(std::optional<std::uint64_t> a, std::optional<std::uint64_t> b, int line);

  // Geometry, for the panel and the tests. Rows 0-12 are the lines, the
  // rows after them the buses shown, in order.
  int traceLeft() const { return kLabelWidth; }
  int rowTop(int line) const { return kAxisHeight + line * kRowHeight; }
  int rowCount() const;
  // The bus drawn on `row`; -1 for a line's row.
  int busAtRow(int row) const;
  int lineAt(int y) const;
  double xOf(double cycle) const { return kLabelWidth + (cycle - first_) / perPixel_; }
  double cycleAt(double x) const { return first_ + (x - kLabelWidth) * perPixel_; }
  // The edge of `line` (a row: a bus's change of value) within a few pixels
  // of x: its index in the signal.
  std::optional<size_t> edgeAt(int line, int x) const;
  // The BASIC line whose instruction made edge `index` of `line`; 0 for an
  // input, or an address outside the program.
  int basicLineOf(int line, size_t index) const;
  // "RB0: salita a 1,234 ms (ciclo 1234), riga 5 del programma";
  // "CONTA = 42 (0x2A) da 1,234 ms (ciclo 1234), riga 7 del programma".
  QString describeEdge(int line, size_t index) const;

  QSize sizeHint() const override;
  QSize minimumSizeHint() const override;

  static constexpr int kLabelWidth = 44;
  static constexpr int kAxisHeight = 20;
  static constexpr int kRowHeight = 22;

 signals:
  void cursorsChanged();
  void hovered(const QString& text);
  void basicLineRequested(int line);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  void paintAxis(class QPainter& p);
  void paintLine(class QPainter& p, int line, double last);
  void paintBus(class QPainter& p, int row, int bus, double last);
  std::uint64_t edgeCycle(int row, size_t index) const;
  std::uint64_t placeAt(int line, int x) const;
  double traceWidth() const { return std::max(1, width() - kLabelWidth); }

  const LogicRecording* recording_ = nullptr;
  const ProgramMap* map_ = nullptr;
  long clockHz_ = 4000000;
  double first_ = 0;
  double perPixel_ = 1;
  bool follow_ = true;
  std::optional<std::uint64_t> cursorA_, cursorB_;
  int line_ = 5;  // RB0
  std::optional<int> dragX_;
  bool dragged_ = false;
  int rows_ = LogicRecording::kSignals;  // as last laid out
};

class LogicAnalyser : public QWidget {
  Q_OBJECT

 public:
  explicit LogicAnalyser(QWidget* parent = nullptr);

  void setRecording(const LogicRecording* recording);
  void setProgramMap(const ProgramMap* map) { view_->setProgramMap(map); }
  void setClock(long hz);
  WaveformView* view() const { return view_; }
  // The program's BYTE variables and those shown as buses, for the
  // "Variabili" menu.
  void setByteVariables(const QStringList& all, const QStringList& shown);
  QMenu* variablesMenu() const { return variables_; }
  // What the cursors measure on the line of the last click.
  CursorMeasure measure() const;
  // The text of the measurement line ("Δt = 401 µs   f = 2,494 kHz ...").
  QString measureText() const;
  // The note on the older edges dropped from a long recording (empty if none).
  QString DroppedNote() const;

  // False with the Italian reason in `error`.
  bool exportVcd(const QString& path, QString* error) const;
  bool exportPng(const QString& path, QString* error) const;

 public slots:
  // The recording grew or was cleared.
  void refresh();

 signals:
  void basicLineRequested(int line);
  // The variables to show as buses, chosen in the menu.
  void busesChosen(const QStringList& names);

 private:
  void fillVariablesMenu();
  void askExportVcd();
  void askExportPng();
  void showMeasure();

  const LogicRecording* recording_ = nullptr;
  WaveformView* view_;
  QLabel* measure_;
  QLabel* hover_;
  QMenu* variables_;
  QStringList allVariables_, shownVariables_;
  QString hoverHelp_;
};

// "401 µs", "400,006 ms", "2,5 s": up to 6 significant digits, decimal comma.
QString FormatSeconds(double seconds);
// "2,494 kHz", "15,26 Hz".
QString FormatHertz(double hertz);

}  // namespace velmora::simulator
