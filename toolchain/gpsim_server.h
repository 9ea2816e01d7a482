// SPDX-License-Identifier: GPL-3.0-or-later
// A started gpsim that hands out copies of itself (the fork server of
// Velmora's gpsim module, gpsim_module/fork_server.cpp).
//
// gpsim spends most of a short run starting: some 30 ms loading its shared
// libraries, against a few milliseconds to load and run a program. It
// cannot load a second program into one session, so the batch check starts
// one gpsim, loads the module libraries into it, and for each program takes
// a fresh copy of that process (fork), which reads the rest of the same
// headless script a new gpsim would (HeadlessScript with the libraries
// already loaded). The copies are independent of one another and of the
// order they are made in, and may be asked for from several threads.
#pragma once

#include <memory>
#include <string>

#include "process.h"

namespace velmora::toolchain {

class GpsimServer {
 public:
  // Starts gpsim, loads its module library and Velmora's (`modulePath`) and
  // waits until it serves; nothing, with `error` set, when it cannot.
  static std::unique_ptr<GpsimServer> Start(const std::string& gpsim, const std::string& modulePath,
                                            std::string& error);
  GpsimServer(const GpsimServer&) = delete;
  GpsimServer& operator=(const GpsimServer&) = delete;
  // Ends gpsim; its copies die with it.
  ~GpsimServer();

  // A new copy working in `folder`, adopted by `tool`: its output starts
  // with the line that names it, then gpsim reads what `tool` writes.
  // False with `error` set when the server no longer answers.
  bool Open(const std::string& folder, ToolProcess& tool, std::string& error) const;

  const std::string& modulePath() const { return modulePath_; }

 private:
  GpsimServer() = default;
  ToolProcess gpsim_;
  std::string socket_;  // "@name": Linux's abstract namespace
  std::string modulePath_;
};

}  // namespace velmora::toolchain
