// SPDX-License-Identifier: GPL-3.0-or-later
// Drawing speed and memory of the "Analizzatore logico" (bench/logic_analyser
// drives it).
//
//   bench_logic_analyser EDGES FRAMES
//
// Fills a recording with EDGES changes spread over the 13 lines (each line
// toggling at its own steady rate, with a burst of fast changes now and
// then), shows the panel offscreen at 1280x500 and draws FRAMES frames
// while zooming in step by step from the whole recording down to a few
// cycles a pixel and panning across, as a student scrolling the wheel
// would. Prints, tab-separated:
//
//   edges  frames  frames/s(all)  frames/s(whole recording)  MB-recording  MB-peak-RSS
//
// "whole recording" are the frames that show every edge at once (the
// slowest view: one mark per pixel column on every line).
#include <QApplication>
#include <QElapsedTimer>
#include <QImage>
#include <QPainter>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

#include "logic_analyser.h"

namespace {

using velmora::simulator::LogicAnalyser;
using velmora::simulator::LogicRecording;

long PeakRssKb() {
  std::ifstream status("/proc/self/status");
  std::string key;
  long value = 0;
  while (status >> key) {
    if (key == "VmHWM:") {
      status >> value;
      return value;
    }
    std::getline(status, key);
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  const long edges = argc > 1 ? std::atol(argv[1]) : 1000000;
  const int frames = argc > 2 ? std::atoi(argv[2]) : 300;

  LogicRecording recording;
  std::uint64_t cycle = 0;
  std::uint8_t level[13] = {};
  for (int line = 0; line < 13; ++line) recording.add({0, 0, static_cast<std::uint8_t>(line), 0, true});
  for (long i = 0; i < edges; ++i) {
    const int line = static_cast<int>(i % 13);
    cycle += (i / 1000) % 50 == 0 ? 1 : 7 + static_cast<std::uint64_t>(line);  // bursts of one change a cycle
    level[line] ^= 1;
    recording.add({cycle, static_cast<std::uint16_t>(i % 1024), static_cast<std::uint8_t>(line), level[line], true});
  }
  recording.setEnd(cycle + 1);
  const long recordingKb = PeakRssKb();

  LogicAnalyser analyser;
  analyser.resize(1280, 500);
  analyser.setRecording(&recording);
  analyser.setClock(4000000);
  analyser.show();
  QApplication::processEvents();
  auto* view = analyser.view();
  QImage image(view->size(), QImage::Format_RGB32);

  QElapsedTimer clock;
  clock.start();
  qint64 wholeNs = 0;
  int wholeFrames = 0;
  for (int f = 0; f < frames; ++f) {
    // A third of the frames show everything; the rest zoom in by a quarter
    // a frame around a point that drifts across, down to about 4 cycles a
    // pixel, then start over.
    if (f % 3 == 0) {
      view->fit();
    } else {
      const int step = f % 60;
      view->fit();
      view->zoom(std::pow(1.25, step), view->traceLeft() + (f * 37) % (view->width() - view->traceLeft()));
      view->pan(f % 7 * 10.0);
    }
    QElapsedTimer frame;
    frame.start();
    view->render(&image);
    if (f % 3 == 0) {
      wholeNs += frame.nsecsElapsed();
      ++wholeFrames;
    }
  }
  const double seconds = static_cast<double>(clock.nsecsElapsed()) / 1e9;
  std::printf("%ld\t%d\t%.1f\t%.1f\t%.1f\t%.1f\n", static_cast<long>(recording.edgeCount()), frames, frames / seconds,
              wholeFrames / (static_cast<double>(wholeNs) / 1e9), static_cast<double>(recordingKb) / 1024.0, static_cast<double>(PeakRssKb()) / 1024.0);
  if (!image.isNull() && argc > 3) image.save(QString::fromLocal8Bit(argv[3]));
  return 0;
}
