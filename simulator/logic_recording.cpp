// SPDX-License-Identifier: GPL-3.0-or-later
#include "logic_recording.h"

#include <algorithm>

namespace velmora::simulator {

void LogicRecording::clear() {
  for (Signal& s : signals_) s = Signal{};
  buses_.clear();
  end_ = 0;
  dropped_ = 0;
}

void LogicRecording::add(const toolchain::TraceEdge& edge) {
  if (edge.line >= kSignals) return;
  Signal& s = signals_[edge.line];
  end_ = std::max(end_, edge.cycle);
  if (!s.levels.empty() && s.levels.back() == edge.level) return;
  if (!s.cycles.empty() && edge.cycle <= s.cycles.back()) {
    // Two changes in one cycle: the later level stands.
    s.levels.back() = edge.level;
    s.pcs.back() = edge.pc;
    if (s.size() >= 2 && s.levels[s.size() - 2] == edge.level) {
      s.cycles.pop_back();
      s.levels.pop_back();
      s.pcs.pop_back();
      s.driven.pop_back();
    }
    return;
  }
  s.cycles.push_back(edge.cycle);
  s.levels.push_back(edge.level);
  s.pcs.push_back(edge.pc);
  s.driven.push_back(edge.driven);
}

int LogicRecording::addBus(const std::string& name) {
  buses_.push_back(Bus{name, true, {}, {}, {}});
  return busCount() - 1;
}

void LogicRecording::addByte(const toolchain::TraceByte& byte) {
  if (byte.bus >= buses_.size()) return;
  Bus& b = buses_[byte.bus];
  end_ = std::max(end_, byte.cycle);
  if (!b.values.empty() && b.values.back() == byte.value) return;
  if (!b.cycles.empty() && byte.cycle <= b.cycles.back()) {
    // Two writes in one cycle: the later value stands.
    b.values.back() = byte.value;
    b.pcs.back() = byte.pc;
    if (b.size() >= 2 && b.values[b.size() - 2] == byte.value) {
      b.cycles.pop_back();
      b.values.pop_back();
      b.pcs.pop_back();
    }
    return;
  }
  b.cycles.push_back(byte.cycle);
  b.values.push_back(byte.value);
  b.pcs.push_back(byte.pc);
}

int LogicRecording::busValueAt(int bus, std::uint64_t cycle) const {
  const Bus& b = this->bus(bus);
  const auto it = std::upper_bound(b.cycles.begin(), b.cycles.end(), cycle);
  return it == b.cycles.begin() ? -1 : b.values[static_cast<size_t>(it - b.cycles.begin()) - 1];
}

std::optional<size_t> LogicRecording::busChangeNear(int bus, std::uint64_t cycle, std::uint64_t tolerance) const {
  const Bus& b = this->bus(bus);
  const size_t i = static_cast<size_t>(std::lower_bound(b.cycles.begin(), b.cycles.end(), cycle) - b.cycles.begin());
  std::optional<size_t> best;
  std::uint64_t bestDistance = tolerance + 1;
  for (size_t k : {i, i - 1}) {
    if (k == 0 || k >= b.size()) continue;
    const std::uint64_t d = b.cycles[k] > cycle ? b.cycles[k] - cycle : cycle - b.cycles[k];
    if (d < bestDistance) {
      bestDistance = d;
      best = k;
    }
  }
  return best;
}

void LogicRecording::addAll(const toolchain::PinTrace& trace) {
  // Checked every so often while adding, so a big batch never holds much
  // more than the cap.
  size_t since = 0;
  for (const toolchain::TraceEdge& e : trace.edges) {
    add(e);
    if (++since >= cap_ / 4) {
      since = 0;
      if (edgeCount() > cap_) trim();
    }
  }
  for (const toolchain::TraceByte& b : trace.bytes) addByte(b);
  if (edgeCount() > cap_) trim();
  setEnd(trace.endCycle);
}

void LogicRecording::trim() {
  const size_t keep = cap_ - cap_ / 4;
  // The edges at or after `cycle`, over all lines.
  auto edgesFrom = [this](std::uint64_t cycle) {
    size_t n = 0;
    for (int line = 0; line < kSignals; ++line) {
      const Signal& s = signal(line);
      if (s.size() < 2) continue;
      n += s.size() - std::max<size_t>(1, firstAtOrAfter(line, cycle));
    }
    for (const Bus& b : buses_) {
      if (b.size() < 2) continue;
      const auto at = static_cast<size_t>(std::lower_bound(b.cycles.begin(), b.cycles.end(), cycle) - b.cycles.begin());
      n += b.size() - std::max<size_t>(1, at);
    }
    return n;
  };
  // The earliest cycle from which at most `keep` edges remain.
  std::uint64_t lo = start(), hi = end_ + 1;
  while (lo < hi) {
    const std::uint64_t mid = lo + (hi - lo) / 2;
    if (edgesFrom(mid) > keep) lo = mid + 1;
    else hi = mid;
  }
  const std::uint64_t cut = lo;
  const size_t before = edgeCount();
  for (Signal& s : signals_) {
    if (s.size() == 0 || s.cycles.front() >= cut) continue;
    // The last record at or before the cut becomes the line's start record
    // at the cut.
    const size_t last = static_cast<size_t>(std::upper_bound(s.cycles.begin(), s.cycles.end(), cut) - s.cycles.begin()) - 1;
    const auto n = static_cast<long>(last);
    s.cycles.erase(s.cycles.begin(), s.cycles.begin() + n);
    s.levels.erase(s.levels.begin(), s.levels.begin() + n);
    s.pcs.erase(s.pcs.begin(), s.pcs.begin() + n);
    s.driven.erase(s.driven.begin(), s.driven.begin() + n);
    s.cycles.front() = cut;
  }
  for (Bus& b : buses_) {
    if (b.size() == 0 || b.cycles.front() >= cut) continue;
    const auto n = std::upper_bound(b.cycles.begin(), b.cycles.end(), cut) - b.cycles.begin() - 1;
    b.cycles.erase(b.cycles.begin(), b.cycles.begin() + n);
    b.values.erase(b.values.begin(), b.values.begin() + n);
    b.pcs.erase(b.pcs.begin(), b.pcs.begin() + n);
    b.cycles.front() = cut;
  }
  dropped_ += before - edgeCount();
}

std::uint64_t LogicRecording::start() const {
  std::uint64_t first = end_;
  for (const Signal& s : signals_)
    if (!s.cycles.empty()) first = std::min(first, s.cycles.front());
  for (const Bus& b : buses_)
    if (!b.cycles.empty()) first = std::min(first, b.cycles.front());
  return first;
}

size_t LogicRecording::edgeCount() const {
  size_t n = 0;
  for (const Signal& s : signals_) n += s.size() > 0 ? s.size() - 1 : 0;
  for (const Bus& b : buses_) n += b.size() > 0 ? b.size() - 1 : 0;
  return n;
}

size_t LogicRecording::firstAtOrAfter(int line, std::uint64_t cycle) const {
  const auto& c = signal(line).cycles;
  return static_cast<size_t>(std::lower_bound(c.begin(), c.end(), cycle) - c.begin());
}

int LogicRecording::levelAt(int line, std::uint64_t cycle) const {
  const Signal& s = signal(line);
  const auto it = std::upper_bound(s.cycles.begin(), s.cycles.end(), cycle);
  if (it == s.cycles.begin()) return -1;
  return s.levels[static_cast<size_t>(it - s.cycles.begin()) - 1];
}

std::optional<size_t> LogicRecording::edgeNear(int line, std::uint64_t cycle, std::uint64_t tolerance) const {
  const Signal& s = signal(line);
  if (s.size() < 2) return std::nullopt;
  const size_t i = firstAtOrAfter(line, cycle);
  std::optional<size_t> best;
  std::uint64_t bestDistance = tolerance + 1;
  for (size_t k : {i, i - 1}) {
    if (k == 0 || k >= s.size()) continue;  // index 0 is the start level, not an edge
    const std::uint64_t d = s.cycles[k] > cycle ? s.cycles[k] - cycle : cycle - s.cycles[k];
    if (d < bestDistance) {
      bestDistance = d;
      best = k;
    }
  }
  return best;
}

std::uint64_t LogicRecording::highCycles(int line, std::uint64_t from, std::uint64_t to) const {
  if (to <= from) return 0;
  const Signal& s = signal(line);
  std::uint64_t high = 0;
  std::uint64_t at = from;
  int level = levelAt(line, from);
  for (size_t i = firstAtOrAfter(line, from + 1); i < s.size() && s.cycles[i] < to; ++i) {
    if (level == 1) high += s.cycles[i] - at;
    at = s.cycles[i];
    level = s.levels[i];
  }
  if (level == 1) high += to - at;
  return high;
}

std::optional<std::pair<std::uint64_t, std::uint64_t>> LogicRecording::periodAfter(int line, std::uint64_t cycle) const {
  const Signal& s = signal(line);
  std::optional<std::uint64_t> first;
  for (size_t i = std::max<size_t>(1, firstAtOrAfter(line, cycle)); i < s.size(); ++i) {
    if (s.levels[i] != 1) continue;
    if (!first) {
      first = s.cycles[i];
    } else {
      return std::make_pair(*first, s.cycles[i]);
    }
  }
  return std::nullopt;
}

toolchain::PinTrace LogicRecording::toTrace() const {
  toolchain::PinTrace trace;
  std::vector<toolchain::TraceEdge> edges;
  for (int line = 0; line < kSignals; ++line) {
    const Signal& s = signal(line);
    for (size_t i = 0; i < s.size(); ++i)
      edges.push_back({s.cycles[i], s.pcs[i], static_cast<std::uint8_t>(line), s.levels[i], s.driven[i]});
  }
  std::stable_sort(edges.begin(), edges.end(),
                   [](const toolchain::TraceEdge& a, const toolchain::TraceEdge& b) { return a.cycle < b.cycle; });
  trace.edges = std::move(edges);
  for (int bus = 0; bus < busCount(); ++bus) {
    const Bus& b = buses_[static_cast<size_t>(bus)];
    trace.buses.push_back(b.name);
    for (size_t i = 0; i < b.size(); ++i)
      trace.bytes.push_back({b.cycles[i], b.pcs[i], static_cast<std::uint8_t>(bus), b.values[i]});
  }
  std::stable_sort(trace.bytes.begin(), trace.bytes.end(),
                   [](const toolchain::TraceByte& a, const toolchain::TraceByte& b) { return a.cycle < b.cycle; });
  trace.endCycle = end_;
  trace.ended = true;
  return trace;
}

CursorMeasure Measure(const LogicRecording& recording, int line, std::uint64_t a, std::uint64_t b, long clockHz) {
  CursorMeasure m;
  const std::uint64_t from = std::min(a, b), to = std::max(a, b);
  m.cycles = to - from;
  m.seconds = clockHz > 0 ? static_cast<double>(m.cycles) * 4.0 / static_cast<double>(clockHz) : 0;
  m.hertz = m.seconds > 0 ? 1.0 / m.seconds : 0;
  m.duty = m.cycles > 0 ? static_cast<double>(recording.highCycles(line, from, to)) / static_cast<double>(m.cycles) : 0;
  return m;
}

}  // namespace velmora::simulator
