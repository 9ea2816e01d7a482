// SPDX-License-Identifier: GPL-3.0-or-later
// The fork server of Velmora's gpsim module: a gpsim that has started and
// loaded its module libraries once, and hands out copies of itself.
//
//   module load velmora_server velmora_server
//   velmora_server.listen = "@velmora-gpsim-1234-5678"
//
// A name starting with "@" is in Linux's abstract socket namespace (no file
// to leave behind when the programs are killed); only processes of the
// same user are served.
// Setting `listen` never returns in the gpsim that reads it: that gpsim
// prints "velmora_server pronto", then waits for connections on the socket
// and ends when its standard input is closed. For each connection it forks;
// the copy takes the connection as standard input, output and error, reads
// one line naming the folder to work in, prints "velmora_figlio PID" and
// returns to gpsim's command loop, which goes on reading commands from the
// connection: a gpsim in the state of one that has just read the same
// commands, without the 30 ms gpsim spends starting (loading its shared
// libraries). The batch check runs one program on each copy.
//
// A copy dies with the server (PR_SET_PDEATHSIG); the server reaps its
// copies by ignoring SIGCHLD.
// clang-format off
#include <gpsim/modules.h>
#include <gpsim/value.h>
// clang-format on

#include "string_action.h"

#include <poll.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cerrno>
#include <cstddef>
#include <cstdio>
#include <cstring>
#include <iostream>
#include <string>

namespace {

// The line the copy reads first: the folder, up to a newline, one byte at a
// time so that nothing of the commands after it is taken from gpsim.
std::string ReadLine(int fd) {
  std::string line;
  char c = 0;
  while (line.size() < 4096) {
    const ssize_t n = ::read(fd, &c, 1);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0 || c == '\n') break;
    line.push_back(c);
  }
  return line;
}

// Becomes the copy for connection `c`: returns to gpsim reading from it.
void BecomeCopy(int listening, int c, pid_t server) {
  ::signal(SIGCHLD, SIG_DFL);
  ::prctl(PR_SET_PDEATHSIG, SIGKILL);
  if (::getppid() != server) ::_exit(0);
  ::close(listening);
  ::dup2(c, STDIN_FILENO);
  ::dup2(c, STDOUT_FILENO);
  ::dup2(c, STDERR_FILENO);
  ::close(c);
  const std::string folder = ReadLine(STDIN_FILENO);
  if (!folder.empty() && ::chdir(folder.c_str()) != 0)
    std::printf("***ERROR: velmora_server: cartella %s: %s\n", folder.c_str(), std::strerror(errno));
  std::printf("velmora_figlio %d\n", static_cast<int>(::getpid()));
  std::fflush(stdout);
}

// Serves until standard input closes; returns only in a copy.
void Serve(const std::string& path) {
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  if (path.empty() || path.size() >= sizeof address.sun_path) {
    std::printf("***ERROR: velmora_server: percorso del socket non valido\n");
    return;
  }
  std::memcpy(address.sun_path, path.c_str(), path.size());
  const bool abstract = path[0] == '@';
  if (abstract) address.sun_path[0] = '\0';
  else ::unlink(path.c_str());
  const auto length = static_cast<socklen_t>(offsetof(sockaddr_un, sun_path) + path.size());
  const int listening = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
  if (listening < 0 || ::bind(listening, reinterpret_cast<sockaddr*>(&address), length) != 0 ||
      ::listen(listening, 64) != 0) {
    std::printf("***ERROR: velmora_server: %s\n", std::strerror(errno));
    if (listening >= 0) ::close(listening);
    return;
  }
  ::signal(SIGCHLD, SIG_IGN);
  std::printf("velmora_server pronto\n");
  std::fflush(stdout);
  std::cout.flush();
  const pid_t server = ::getpid();
  for (;;) {
    pollfd p[2] = {{listening, POLLIN, 0}, {STDIN_FILENO, POLLIN, 0}};
    if (::poll(p, 2, -1) < 0) continue;
    if (p[1].revents) {
      char c;
      if (::read(STDIN_FILENO, &c, 1) <= 0) ::_exit(0);
    }
    if (!(p[0].revents & POLLIN)) continue;
    const int c = ::accept4(listening, nullptr, nullptr, SOCK_CLOEXEC);
    if (c < 0) continue;
    ucred peer{};
    socklen_t size = sizeof peer;
    if (::getsockopt(c, SOL_SOCKET, SO_PEERCRED, &peer, &size) != 0 || peer.uid != ::getuid()) {
      ::close(c);
      continue;
    }
    std::fflush(stdout);
    const pid_t pid = ::fork();
    if (pid == 0) {
      BecomeCopy(listening, c, server);
      return;
    }
    ::close(c);
  }
}

class ServerModule : public Module {
 public:
  explicit ServerModule(const char* name) : Module(name, "Velmora: copies of a started gpsim") {
    // A copy returns from Serve inside this assignment; the flag keeps a
    // later assignment in a copy from serving again.
    addSymbol(new StringAction("listen", "serve copies of this gpsim on a socket", [this](const std::string& path) {
      if (serving_) return;
      serving_ = true;
      Serve(path);
    }));
  }

 private:
  bool serving_ = false;
};

}  // namespace

Module* NewServerModule(const char* name) { return new ServerModule(name); }
