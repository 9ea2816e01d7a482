// SPDX-License-Identifier: GPL-3.0-or-later
// A push-button's bounce on the board: when a button with `rimbalzo=N` is
// pressed or released, its line does not settle at once but swaps level
// every N/4 ms (pressed, released, pressed, released, pressed: five
// changes within N ms for a press, the mirror for a release). The first
// change is driven at once like any board input; the others go to gpsim
// through Velmora's stimulus player as changes counted from the moment gpsim
// reads them, so they land at their exact cycle while the program runs.
#pragma once

#include <QObject>
#include <QTemporaryDir>
#include <cstdint>
#include <vector>

#include "stimuli.h"

namespace velmora::simulator {

class SimController;

// The changes of one bounce, cycles counted from the first (cycle 0 holds
// the settled level already): levels alternate every quarter of `bounceMs`
// and end on `settled` at `bounceMs`. Empty without bounce.
std::vector<toolchain::StimulusChange> BounceTrain(toolchain::Pin pin, bool settled, int bounceMs, long frequencyHz);

class BouncePlayer : public QObject {
  Q_OBJECT

 public:
  explicit BouncePlayer(SimController& controller, QObject* parent = nullptr);
  // Sends the changes after the first of `train` to gpsim; false when the
  // module is missing or gpsim is not running (only the settled level holds).
  bool play(const std::vector<toolchain::StimulusChange>& train);

 private:
  SimController& controller_;
  QTemporaryDir folder_;
  bool loaded_ = false;  // the player module is loaded in this gpsim
  int files_ = 0;
};

}  // namespace velmora::simulator
