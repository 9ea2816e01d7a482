// SPDX-License-Identifier: GPL-3.0-or-later
// Running the external tools (gpasm, gpsim): finding them on PATH, starting
// them with pipes on standard input and output, and stopping them when they
// take too long.
//
// POSIX only (fork, exec, poll), and Linux's PR_SET_PDEATHSIG: a tool dies
// with the thread that started it, never outliving the program. No threads
// of its own. A `ToolProcess` is driven from
// one thread: write commands, then read its output until some text appears
// or a deadline passes. Standard error is merged into standard output, so a
// transcript holds everything the tool printed, in order.
#pragma once

#include <sys/types.h>

#include <chrono>
#include <functional>
#include <string>
#include <vector>

namespace velmora::toolchain {

using Clock = std::chrono::steady_clock;

// The full path of `program` found on PATH (or `program` itself when it
// holds a slash and is executable); empty when there is none.
std::string FindTool(const std::string& program);

// The Italian message for a tool that is not installed, naming the Debian
// package that provides it: "gpasm" -> gputils, "gpsim" -> gpsim.
std::string MissingToolMessage(const std::string& program);

class ToolProcess {
 public:
  ToolProcess() = default;
  ToolProcess(const ToolProcess&) = delete;
  ToolProcess& operator=(const ToolProcess&) = delete;
  // Kills the tool if it still runs.
  ~ToolProcess();

  // Starts argv[0] (a full path) with the other arguments, in `folder`.
  // False, with `error` set, when it cannot be started.
  bool Start(const std::vector<std::string>& argv, const std::string& folder, std::string& error);

  // Takes a tool that another process started for us, connected by the
  // socket `fd` (its standard input, output and error) and running as
  // `pid`: Kill() kills it while it is still connected, Wait() only hangs
  // up (its own parent waits for it).
  void Adopt(int fd, pid_t pid);

  // Writes to the tool's standard input; false when the tool closed it.
  bool Write(const std::string& text);
  // Closes the tool's standard input (the tool then sees end of file).
  void CloseInput();

  // Reads output into `output` until `done(output)` is true (true), or the
  // tool closes its output or `deadline` passes (false; `TimedOut()` tells
  // which). `done` is called after every chunk read.
  bool ReadUntil(std::string& output, const std::function<bool(const std::string&)>& done,
                 Clock::time_point deadline);

  // Waits for the tool to exit (killing it at `deadline`); its exit status,
  // or -1 when it was killed or ended by a signal.
  int Wait(Clock::time_point deadline);
  void Kill();

  bool TimedOut() const { return timedOut_; }
  bool Running() const { return pid_ > 0; }
  pid_t pid() const { return pid_; }

 private:
  pid_t pid_ = -1;
  int in_ = -1;   // tool's standard input (our write end)
  int out_ = -1;  // tool's standard output and error (our read end)
  bool timedOut_ = false;
  bool adopted_ = false;
};

// Runs a tool to its end with no input; its output is returned in `output`.
// The exit status, or -1 when it could not be started (`output` then holds
// the reason) or was killed at the time limit (`timedOut` set).
int RunTool(const std::vector<std::string>& argv, const std::string& folder, std::string& output,
            std::chrono::milliseconds limit, bool* timedOut = nullptr);

}  // namespace velmora::toolchain
