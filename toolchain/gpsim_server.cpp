// SPDX-License-Identifier: GPL-3.0-or-later
// Starting the serving gpsim and connecting to it.
#include "gpsim_server.h"

#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cerrno>
#include <cstddef>
#include <cstdlib>
#include <cstring>
#include <random>

#include "gpsim_protocol.h"
#include "italian_text.h"
#include "simulator.h"

namespace velmora::toolchain {
namespace {

constexpr const char* kReady = "velmora_server pronto\n";
constexpr const char* kCopyLine = "velmora_figlio ";

}  // namespace

std::unique_ptr<GpsimServer> GpsimServer::Start(const std::string& gpsim, const std::string& modulePath,
                                                std::string& error) {
  std::unique_ptr<GpsimServer> server(new GpsimServer());
  server->modulePath_ = modulePath;
  // A name in the abstract namespace: nothing on disk, and the module
  // serves only this user.
  std::random_device random;
  server->socket_ = "@velmora-gpsim-" + std::to_string(::getpid()) + "-" + std::to_string(random());
  if (!server->gpsim_.Start({gpsim, "-i", "-S", "disable"}, "", error)) return nullptr;
  server->gpsim_.Write(HeadlessPrelude() + GpsimCommands::ModuleLibrary(modulePath) +
                       "module load velmora_server velmora_server\nvelmora_server.listen = \"" + server->socket_ +
                       "\"\n");
  std::string output;
  if (!server->gpsim_.ReadUntil(
          output, [](const std::string& t) { return t.find(kReady) != std::string::npos; },
          Clock::now() + std::chrono::seconds(10))) {
    error = "gpsim non offre le sue copie (modulo di Velmora assente o non aggiornato)";
    return nullptr;
  }
  // Copies of a gpsim that refused part of the prelude would not run as a
  // new gpsim does.
  if (const std::vector<std::string> errors = GpsimReply::Errors(output); !errors.empty()) {
    error = "gpsim ha segnalato un errore: " + errors.front();
    return nullptr;
  }
  return server;
}

GpsimServer::~GpsimServer() { gpsim_.Kill(); }

bool GpsimServer::Open(const std::string& folder, ToolProcess& tool, std::string& error) const {
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  std::memcpy(address.sun_path, socket_.c_str(), socket_.size());
  address.sun_path[0] = '\0';
  const auto length = static_cast<socklen_t>(offsetof(sockaddr_un, sun_path) + socket_.size());
  const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
  if (fd < 0 || ::connect(fd, reinterpret_cast<sockaddr*>(&address), length) != 0) {
    error = "gpsim non risponde: " + italian::SystemError(errno);
    if (fd >= 0) ::close(fd);
    return false;
  }
  // The copy's first line names it; read a byte at a time, so that what
  // gpsim prints next stays for the caller.
  const std::string request = folder + "\n";
  std::string first;
  const auto deadline = Clock::now() + std::chrono::seconds(10);
  bool named = ::send(fd, request.data(), request.size(), MSG_NOSIGNAL) == static_cast<ssize_t>(request.size());
  while (named && (first.empty() || first.back() != '\n')) {
    pollfd p{fd, POLLIN, 0};
    char c = 0;
    named = Clock::now() < deadline && ::poll(&p, 1, 100) >= 0 && (!(p.revents) || ::read(fd, &c, 1) == 1);
    if (named && p.revents) first.push_back(c);
  }
  if (!named || first.rfind(kCopyLine, 0) != 0) {
    ::close(fd);
    error = "gpsim non ha creato la copia per il programma";
    return false;
  }
  tool.Adopt(fd, static_cast<pid_t>(std::atol(first.c_str() + std::strlen(kCopyLine))));
  return true;
}

}  // namespace velmora::toolchain
