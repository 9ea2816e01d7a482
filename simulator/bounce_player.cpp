// SPDX-License-Identifier: GPL-3.0-or-later
#include "bounce_player.h"

#include <algorithm>
#include <fstream>

#include "gpsim_protocol.h"
#include "sim_controller.h"

namespace velmora::simulator {

namespace C = toolchain::GpsimCommands;
using toolchain::StimulusChange;

std::vector<StimulusChange> BounceTrain(toolchain::Pin pin, bool settled, int bounceMs, long frequencyHz) {
  std::vector<StimulusChange> train;
  if (bounceMs <= 0 || frequencyHz <= 0) return train;
  // Instruction cycles in a quarter of the bounce (at least one, so the
  // levels never fall on the same cycle).
  const std::uint64_t quarter =
      std::max<std::uint64_t>(1, static_cast<std::uint64_t>(bounceMs) * static_cast<std::uint64_t>(frequencyHz) / 16000);
  for (int k = 0; k <= 4; ++k) train.push_back({quarter * static_cast<std::uint64_t>(k), pin, (k % 2 == 0) == settled});
  return train;
}

BouncePlayer::BouncePlayer(SimController& controller, QObject* parent) : QObject(parent), controller_(controller) {
  // A new gpsim (reset, new program) has no player loaded yet.
  connect(&controller_, &SimController::stopped, this, [this](SimController::Stop why, const QString&) {
    if (why == SimController::Stop::Started) loaded_ = false;
  });
}

bool BouncePlayer::play(const std::vector<StimulusChange>& train) {
  GpsimSession* session = controller_.session();
  if (train.size() < 2 || !controller_.readsStack() || !session || !session->alive() || !folder_.isValid()) return false;
  // One file per bounce: gpsim reads it when the request's turn comes.
  const std::string path = folder_.filePath(QStringLiteral("rimbalzo%1.txt").arg(++files_)).toStdString();
  std::ofstream out(path, std::ios::binary);
  for (size_t i = 1; i < train.size(); ++i) out << '+' << C::StimulusScheduleLine(train[i].cycle, train[i].pin, train[i].high);
  out.close();
  if (!out) return false;
  // The module's library came with the stack module at the start.
  const std::string request = loaded_ ? "velmora_stimuli.file = \"" + path + "\"\n" : C::PlayStimuli(path);
  loaded_ = true;
  session->request({request}, nullptr);
  return true;
}

}  // namespace velmora::simulator
