// SPDX-License-Identifier: GPL-3.0-or-later
#include "vcd_writer.h"

#include <unistd.h>

#include <algorithm>
#include <array>
#include <charconv>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <vector>

namespace velmora::toolchain {

namespace {

__extension__ typedef unsigned __int128 Wide;

Wide PowerOfTen(int n) {
  Wide p = 1;
  for (int i = 0; i < n; ++i) p *= 10;
  return p;
}

// The one-character identifiers of the 13 lines ('!' to '-').
char Identifier(int line) { return static_cast<char>('!' + line); }

}  // namespace

VcdTimescale ChooseTimescale(long clockHz) {
  static const char* const kUnits[] = {"s", "ms", "us", "ns", "ps", "fs"};
  auto text = [](int exponent) {
    const int unit = (exponent + 2) / 3;  // s, ms, us, ...
    const int multiplier = static_cast<int>(PowerOfTen(unit * 3 - exponent));
    return std::to_string(multiplier) + " " + kUnits[unit];
  };
  if (clockHz > 0) {
    for (int exponent = 0; exponent <= 15; ++exponent) {
      const Wide units = 4 * PowerOfTen(exponent);
      if (units % static_cast<Wide>(clockHz) == 0)
        return {text(exponent), static_cast<std::uint64_t>(units / static_cast<Wide>(clockHz)), exponent};
    }
  }
  return {text(12), 0, 12};
}

std::uint64_t VcdTime(std::uint64_t cycle, const VcdTimescale& scale, long clockHz) {
  if (scale.unitsPerCycle) return cycle * scale.unitsPerCycle;
  if (clockHz <= 0) return cycle;
  const Wide numerator = static_cast<Wide>(cycle) * 4 * PowerOfTen(scale.exponent);
  const Wide hz = static_cast<Wide>(clockHz);
  return static_cast<std::uint64_t>((numerator + hz / 2) / hz);
}

void AppendNumber(std::string& out, std::uint64_t value) {
  char digits[24];
  const auto [end, ec] = std::to_chars(digits, digits + sizeof digits, value);
  out.append(digits, end);
}

namespace {

std::string Binary(int value) {
  std::string bits = "b";
  for (int bit = 7; bit >= 0; --bit) bits += static_cast<char>('0' + ((value >> bit) & 1));
  return bits;
}

}  // namespace

std::string VcdText(const PinTrace& trace, long clockHz) {
  const VcdTimescale scale = ChooseTimescale(clockHz);
  // Buses named by the trace, or seen in it without a name.
  size_t buses = trace.buses.size();
  for (const TraceByte& b : trace.bytes) buses = std::max<size_t>(buses, b.bus + 1u);
  auto busName = [&](size_t bus) { return bus < trace.buses.size() ? trace.buses[bus] : "BUS" + std::to_string(bus); };
  auto busId = [](size_t bus) { return Identifier(kTraceLines + static_cast<int>(bus)); };
  std::string out;
  out.reserve(1024 + trace.edges.size() * 12 + trace.bytes.size() * 16);
  out += "$version Velmora $end\n";
  out += "$comment quarzo " + std::to_string(clockHz) + " Hz, un ciclo di istruzione ogni 4 periodi $end\n";
  out += "$timescale " + scale.text + " $end\n";
  out += "$scope module p16f84 $end\n";
  for (int line = 0; line < kTraceLines; ++line)
    out += std::string("$var wire 1 ") + Identifier(line) + " " + TraceLineName(line) + " $end\n";
  for (size_t bus = 0; bus < buses; ++bus) out += std::string("$var wire 8 ") + busId(bus) + " " + busName(bus) + " $end\n";
  out += "$upscope $end\n$enddefinitions $end\n";

  // The first record of each line (and bus) is its level when the recording
  // started: those go into $dumpvars, lines never recorded are unknown.
  std::array<int, kTraceLines> level;
  level.fill(-1);
  std::vector<int> value(buses, -1);
  size_t i = 0, j = 0;
  std::uint64_t start = trace.edges.empty() ? 0 : trace.edges.front().cycle;
  if (!trace.bytes.empty() && (trace.edges.empty() || trace.bytes.front().cycle < start)) start = trace.bytes.front().cycle;
  out += '#';
  AppendNumber(out, VcdTime(start, scale, clockHz));
  out += "\n$dumpvars\n";
  for (; i < trace.edges.size() && trace.edges[i].cycle == start; ++i) level[trace.edges[i].line] = trace.edges[i].level;
  for (; j < trace.bytes.size() && trace.bytes[j].cycle == start; ++j) value[trace.bytes[j].bus] = trace.bytes[j].value;
  for (int line = 0; line < kTraceLines; ++line) {
    out += level[line] < 0 ? 'x' : static_cast<char>('0' + level[line]);
    out += Identifier(line);
    out += '\n';
  }
  for (size_t bus = 0; bus < buses; ++bus) {
    out += value[bus] < 0 ? std::string("bxxxxxxxx") : Binary(value[bus]);
    out += ' ';
    out += busId(bus);
    out += '\n';
  }
  out += "$end\n";

  std::uint64_t lastTime = VcdTime(start, scale, clockHz);
  auto at = [&](std::uint64_t cycle) {
    const std::uint64_t t = VcdTime(cycle, scale, clockHz);
    if (t == lastTime) return;
    out += '#';
    AppendNumber(out, t);
    out += '\n';
    lastTime = t;
  };
  // Lines and buses merged in cycle order.
  while (i < trace.edges.size() || j < trace.bytes.size()) {
    if (j >= trace.bytes.size() || (i < trace.edges.size() && trace.edges[i].cycle <= trace.bytes[j].cycle)) {
      const TraceEdge& e = trace.edges[i++];
      if (level[e.line] == e.level) continue;  // a first record after the start, equal to nothing new
      level[e.line] = e.level;
      at(e.cycle);
      out += static_cast<char>('0' + e.level);
      out += Identifier(e.line);
      out += '\n';
    } else {
      const TraceByte& b = trace.bytes[j++];
      if (value[b.bus] == b.value) continue;
      value[b.bus] = b.value;
      at(b.cycle);
      out += Binary(b.value);
      out += ' ';
      out += busId(b.bus);
      out += '\n';
    }
  }
  const std::uint64_t endTime = VcdTime(trace.endCycle, scale, clockHz);
  if (endTime > lastTime) {
    out += '#';
    AppendNumber(out, endTime);
    out += '\n';
  }
  return out;
}

bool WriteVcdFile(const std::string& path, const PinTrace& trace, long clockHz, std::string& error) {
  namespace fs = std::filesystem;
  const std::string text = VcdText(trace, clockHz);
  const fs::path target(path);
  const std::string temporary = (target.parent_path() / ("." + target.filename().string() + ".tmp")).string();
  std::FILE* f = std::fopen(temporary.c_str(), "wb");
  if (!f) {
    error = "impossibile scrivere " + path + ": " + std::strerror(errno);
    return false;
  }
  const bool written = std::fwrite(text.data(), 1, text.size(), f) == text.size();
  const bool closed = std::fclose(f) == 0;
  if (!written || !closed) {
    error = "impossibile scrivere " + path + ": " + std::strerror(errno);
    ::unlink(temporary.c_str());
    return false;
  }
  std::error_code ec;
  fs::rename(temporary, target, ec);
  if (ec) {
    error = "impossibile scrivere " + path + ": " + ec.message();
    ::unlink(temporary.c_str());
    return false;
  }
  return true;
}

}  // namespace velmora::toolchain
