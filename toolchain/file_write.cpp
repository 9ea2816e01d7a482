// SPDX-License-Identifier: GPL-3.0-or-later
#include "file_write.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <fstream>

namespace velmora::toolchain {
namespace {

// The process's umask, read without changing it: umask(2) can only be read
// by setting it, which would race with files other threads create.
mode_t Umask() {
  static const mode_t mask = [] {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
      if (line.rfind("Umask:", 0) == 0) return static_cast<mode_t>(std::strtol(line.c_str() + 6, nullptr, 8));
    return static_cast<mode_t>(022);
  }();
  return mask;
}

}  // namespace

bool WriteAll(int fd, const std::string& bytes) {
  size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      if (n == 0) errno = EIO;
      return false;
    }
    done += static_cast<size_t>(n);
  }
  return true;
}

std::string TemporaryPatternFor(const std::string& path) {
  const auto slash = path.find_last_of('/');
  const std::string folder = slash == std::string::npos ? "." : slash == 0 ? "/" : path.substr(0, slash);
  const std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
  return (folder == "/" ? "" : folder) + "/." + name + ".XXXXXX";
}

bool CommitTemporary(int fd, const std::string& temp, const std::string& path, const std::string& bytes) {
  bool ok = ::fchmod(fd, 0666 & ~Umask()) == 0 && WriteAll(fd, bytes) && ::fsync(fd) == 0;
  int err = errno;
  if (::close(fd) != 0 && ok) {
    ok = false;
    err = errno;
  }
  if (ok && ::rename(temp.c_str(), path.c_str()) != 0) {
    ok = false;
    err = errno;
  }
  if (!ok) {
    ::unlink(temp.c_str());
    errno = err ? err : EIO;
  }
  return ok;
}

bool WriteFileAtomically(const std::string& path, const std::string& bytes) {
  std::string temp = TemporaryPatternFor(path);
  const int fd = ::mkstemp(temp.data());
  return fd >= 0 && CommitTemporary(fd, temp, path, bytes);
}

}  // namespace velmora::toolchain
