// SPDX-License-Identifier: GPL-3.0-or-later
// Starting and stopping the external tools.
#include "process.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <thread>

#include "italian_text.h"

namespace velmora::toolchain {
namespace {

bool IsExecutableFile(const std::string& path) {
  struct stat info {};
  return ::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode) && ::access(path.c_str(), X_OK) == 0;
}

int MillisecondsUntil(Clock::time_point deadline) {
  const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
  return left <= 0 ? 0 : static_cast<int>(left > 1000 ? 1000 : left);
}

void CloseFd(int& fd) {
  if (fd >= 0) ::close(fd);
  fd = -1;
}

}  // namespace

std::string FindTool(const std::string& program) {
  if (program.find('/') != std::string::npos) return IsExecutableFile(program) ? program : std::string();
  const char* path = std::getenv("PATH");
  std::string folders = path ? path : "/usr/bin:/bin";
  size_t start = 0;
  while (start <= folders.size()) {
    size_t end = folders.find(':', start);
    if (end == std::string::npos) end = folders.size();
    std::string folder = folders.substr(start, end - start);
    if (folder.empty()) folder.push_back('.');  // (not = ".": GCC 12 warns falsely about it)
    const std::string candidate = folder + "/" + program;
    if (IsExecutableFile(candidate)) return candidate;
    start = end + 1;
  }
  return {};
}

std::string MissingToolMessage(const std::string& program) {
  const std::string package = program == "gpasm" ? "gputils" : program;
  return "Il programma " + program + " non è installato: installare il pacchetto " + package +
         " (sudo apt install " + package + ")";
}

ToolProcess::~ToolProcess() { Kill(); }

bool ToolProcess::Start(const std::vector<std::string>& argv, const std::string& folder, std::string& error) {
  int toTool[2], fromTool[2];
  if (::pipe2(toTool, O_CLOEXEC) != 0) {
    error = italian::SystemError(errno);
    return false;
  }
  if (::pipe2(fromTool, O_CLOEXEC) != 0) {
    error = italian::SystemError(errno);
    ::close(toTool[0]);
    ::close(toTool[1]);
    return false;
  }
  // A tool that dies while we write to it must give a failed write, not end
  // this program.
  struct sigaction current {};
  if (::sigaction(SIGPIPE, nullptr, &current) == 0 && current.sa_handler == SIG_DFL) ::signal(SIGPIPE, SIG_IGN);

  const pid_t parent = ::getpid();
  std::vector<char*> args;
  for (const std::string& a : argv) args.push_back(const_cast<char*>(a.c_str()));
  args.push_back(nullptr);
  const pid_t pid = ::fork();
  if (pid < 0) {
    error = italian::SystemError(errno);
    for (int fd : {toTool[0], toTool[1], fromTool[0], fromTool[1]}) ::close(fd);
    return false;
  }
  if (pid == 0) {
    ::prctl(PR_SET_PDEATHSIG, SIGKILL);
    if (::getppid() != parent) ::_exit(127);
    ::signal(SIGPIPE, SIG_DFL);
    ::dup2(toTool[0], STDIN_FILENO);
    ::dup2(fromTool[1], STDOUT_FILENO);
    ::dup2(fromTool[1], STDERR_FILENO);
    if (!folder.empty() && ::chdir(folder.c_str()) != 0) ::_exit(127);
    ::execv(args[0], args.data());
    ::_exit(127);
  }
  ::close(toTool[0]);
  ::close(fromTool[1]);
  pid_ = pid;
  in_ = toTool[1];
  out_ = fromTool[0];
  timedOut_ = false;
  adopted_ = false;
  return true;
}

void ToolProcess::Adopt(int fd, pid_t pid) {
  Kill();
  pid_ = pid;
  in_ = fd;
  out_ = ::fcntl(fd, F_DUPFD_CLOEXEC, 0);
  timedOut_ = false;
  adopted_ = true;
}

bool ToolProcess::Write(const std::string& text) {
  size_t done = 0;
  while (in_ >= 0 && done < text.size()) {
    const ssize_t n = ::write(in_, text.data() + done, text.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    done += static_cast<size_t>(n);
  }
  return in_ >= 0;
}

void ToolProcess::CloseInput() { CloseFd(in_); }

bool ToolProcess::ReadUntil(std::string& output, const std::function<bool(const std::string&)>& done,
                            Clock::time_point deadline) {
  char buffer[65536];
  while (out_ >= 0) {
    if (done(output)) return true;
    if (Clock::now() >= deadline) {
      timedOut_ = true;
      return false;
    }
    pollfd p{out_, POLLIN, 0};
    const int ready = ::poll(&p, 1, MillisecondsUntil(deadline));
    if (ready < 0 && errno != EINTR) break;
    if (ready <= 0) continue;
    const ssize_t n = ::read(out_, buffer, sizeof buffer);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;
    output.append(buffer, static_cast<size_t>(n));
  }
  CloseFd(out_);
  return done(output);
}

int ToolProcess::Wait(Clock::time_point deadline) {
  if (pid_ <= 0) return -1;
  CloseFd(in_);
  if (adopted_) {
    CloseFd(out_);
    pid_ = -1;
    return 0;
  }
  int status = 0;
  for (;;) {
    const pid_t r = ::waitpid(pid_, &status, WNOHANG);
    if (r == pid_) break;
    if (r < 0 && errno != EINTR) {
      pid_ = -1;
      return -1;
    }
    if (Clock::now() >= deadline) {
      timedOut_ = true;
      Kill();
      return -1;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(2));
  }
  pid_ = -1;
  CloseFd(out_);
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

void ToolProcess::Kill() {
  // An adopted tool that hung up has ended (or is ending) by itself, and
  // its number may already be another process's.
  const bool connected = out_ >= 0;
  CloseFd(in_);
  CloseFd(out_);
  if (pid_ <= 0) return;
  if (adopted_) {
    if (connected) ::kill(pid_, SIGKILL);
    pid_ = -1;
    return;
  }
  ::kill(pid_, SIGKILL);
  int status = 0;
  while (::waitpid(pid_, &status, 0) < 0 && errno == EINTR) {
  }
  pid_ = -1;
}

int RunTool(const std::vector<std::string>& argv, const std::string& folder, std::string& output,
            std::chrono::milliseconds limit, bool* timedOut) {
  ToolProcess tool;
  std::string error;
  if (!tool.Start(argv, folder, error)) {
    output = error;
    return -1;
  }
  tool.CloseInput();
  const auto deadline = Clock::now() + limit;
  tool.ReadUntil(output, [](const std::string&) { return false; }, deadline);
  const int status = tool.Wait(deadline);
  if (timedOut) *timedOut = tool.TimedOut();
  return status;
}

}  // namespace velmora::toolchain
