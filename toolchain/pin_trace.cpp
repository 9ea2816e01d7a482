// SPDX-License-Identifier: GPL-3.0-or-later
#include "pin_trace.h"

#include <algorithm>
#include <charconv>
#include <cstdio>

namespace velmora::toolchain {

namespace {

constexpr const char* kVersionLine = "velmora-traccia 1";

// Reads an unsigned decimal number at `p`, moving past it and one blank.
bool Number(const char*& p, const char* end, std::uint64_t& value) {
  const auto [next, ec] = std::from_chars(p, end, value);
  if (ec != std::errc() || next == p) return false;
  p = next;
  if (p < end && *p == ' ') ++p;
  return true;
}

}  // namespace

std::string TraceLineName(int line) {
  return line < 5 ? "RA" + std::to_string(line) : "RB" + std::to_string(line - 5);
}

Pin TraceLinePin(int line) { return line < 5 ? Pin{'A', line} : Pin{'B', line - 5}; }

int TraceLineOf(Pin pin) { return pin.port == 'A' ? pin.bit : 5 + pin.bit; }

std::optional<size_t> ReadPinTrace(const std::string& text, size_t from, PinTrace& trace, std::string& error) {
  size_t at = from;
  while (at < text.size()) {
    const size_t eol = text.find('\n', at);
    if (eol == std::string::npos) break;  // unfinished: read next time
    const char* p = text.data() + at;
    const char* end = text.data() + eol;
    if (at == 0) {
      if (std::string(p, end) != kVersionLine) {
        error = "la registrazione non comincia con \"" + std::string(kVersionLine) + "\"";
        return std::nullopt;
      }
    } else if (*p == 'E') {
      std::uint64_t cycle = 0;
      p += 2;
      if (p > end || !Number(p, end, cycle)) {
        error = "riga di fine non valida nella registrazione";
        return std::nullopt;
      }
      trace.endCycle = std::max(trace.endCycle, cycle);
      trace.ended = true;
    } else if (*p == 'V') {
      std::uint64_t cycle = 0, bus = 0, value = 0, pc = 0;
      p += 2;
      if (p > end || !Number(p, end, cycle) || !Number(p, end, bus) || !Number(p, end, value) || !Number(p, end, pc) ||
          p != end || bus > 255 || value > 255 || pc > 0xFFFF ||
          (!trace.bytes.empty() && cycle < trace.bytes.back().cycle)) {
        error = "riga non valida nella registrazione: " + std::string(text.data() + at, end);
        return std::nullopt;
      }
      trace.bytes.push_back(
          {cycle, static_cast<std::uint16_t>(pc), static_cast<std::uint8_t>(bus), static_cast<std::uint8_t>(value)});
      trace.endCycle = std::max(trace.endCycle, cycle);
    } else {
      std::uint64_t cycle = 0, line = 0, level = 0, pc = 0, out = 0;
      if (!Number(p, end, cycle) || !Number(p, end, line) || !Number(p, end, level) || !Number(p, end, pc) ||
          !Number(p, end, out) || p != end || line >= kTraceLines || level > 1 || pc > 0xFFFF || out > 1 ||
          (!trace.edges.empty() && cycle < trace.edges.back().cycle)) {
        error = "riga non valida nella registrazione: " + std::string(text.data() + at, end);
        return std::nullopt;
      }
      trace.edges.push_back({cycle, static_cast<std::uint16_t>(pc), static_cast<std::uint8_t>(line),
                             static_cast<std::uint8_t>(level), out == 1});
      trace.endCycle = std::max(trace.endCycle, cycle);
    }
    at = eol + 1;
  }
  return at;
}

std::optional<PinTrace> ReadPinTraceFile(const std::string& path, std::string& error) {
  std::string text;
  std::FILE* f = std::fopen(path.c_str(), "rb");
  if (f) {
    char buffer[1 << 16];
    size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, f)) > 0) text.append(buffer, n);
    std::fclose(f);
  }
  if (!f) {
    error = "impossibile leggere la registrazione " + path;
    return std::nullopt;
  }
  PinTrace trace;
  trace.edges.reserve(text.size() / 12);  // a record takes 12 bytes or more
  const auto read = ReadPinTrace(text, 0, trace, error);
  if (!read) return std::nullopt;
  if (*read == 0) {
    error = "registrazione vuota: " + path;
    return std::nullopt;
  }
  return trace;
}

}  // namespace velmora::toolchain
