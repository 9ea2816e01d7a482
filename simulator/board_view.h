// SPDX-License-Identifier: GPL-3.0-or-later
// The "Scheda" tab: the board's parts drawn on a canvas, working while the
// chip runs. LEDs, the LED bar and the displays show the lines (a
// multiplexed display shows each segment lit within the last 5 ms of
// recorded time, so it looks steady as on the bench); buttons, switches and
// DIP switches drive the lines through the controller, with the mouse or
// with keys 1-8 (the board's buttons in order); the tone readout gives the
// frequency a line toggles at. Parts come from the palette, move by
// dragging and go with a right click. A part driving a line the program
// has made an output is framed in red as a conflict.
//
// The board is PROGRAMMA.scheda beside the program: read when the program
// starts (a malformed file: the message names file and line, the board
// stays empty and the program runs), written after every change.
// "Registra stimoli" keeps every input change of the session as stimuli
// lines (ciclo=N LINEA=L) to save as a stimuli file.
#pragma once

#include <QWidget>
#include <optional>
#include <string>
#include <vector>

#include "board_model.h"

class QComboBox;
class QLabel;
class QPushButton;

namespace velmora::simulator {

class LogicRecording;
class SimController;

class BoardCanvas;
class BouncePlayer;

class BoardView : public QWidget {
  Q_OBJECT

 public:
  BoardView(SimController& controller, const LogicRecording* recording, QWidget* parent = nullptr);

  const Board& board() const { return board_; }
  // Loads the board of the program (its .scheda); the message line says
  // what went wrong, if anything.
  void loadFor(const QString& programPath);
  void setBoard(const Board& board);
  QString message() const;
  QString boardPath() const { return path_; }

  // Presses (or releases) button `index` of the board's buttons in order.
  void pressButton(int index, bool pressed);
  // The digit a display part shows now (nothing: blank or not a digit).
  std::optional<int> displayedDigit(size_t part, size_t digit = 0) const;
  bool conflict(size_t part) const;
  // The stimuli lines recorded so far.
  const std::vector<std::string>& recordedStimuli() const { return stimuli_; }
  void setRecordingStimuli(bool on);

 public slots:
  void refresh();

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void keyReleaseEvent(QKeyEvent* event) override;

 private:
  friend class BoardCanvas;
  void drive(toolchain::Pin pin, bool high);
  // A button's line to its pressed (or released) level, with its bounce.
  void press(const BoardPart& button, bool pressed);
 public:
  // Opens the dialog choosing the lines of display part `index`.
  void wireDisplay(size_t index);

 private:
  void changed();
  void addPart();
  void saveStimuli();
  std::uint8_t litSegments(const BoardPart& part, size_t digit) const;
  std::optional<double> toneHertz(const BoardPart& part) const;

  SimController& controller_;
  const LogicRecording* recording_;
  Board board_;
  QString path_;
  BoardCanvas* canvas_;
  BouncePlayer* bounce_;
  QComboBox* palette_;
  QPushButton* recordButton_;
  QLabel* message_;
  bool recordingStimuli_ = false;
  std::vector<std::string> stimuli_;
  toolchain::Pin linePick_{'B', 0};  // the palette's line for the next part
  QString loadedFor_;                // the program whose board is shown
};

}  // namespace velmora::simulator
