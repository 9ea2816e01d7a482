// SPDX-License-Identifier: GPL-3.0-or-later
// The recording the logic analyser shows: for each of the 13 lines its
// levels over time as sorted arrays of edges (cycle, level, program
// address), filled from gpsim's recording (toolchain/pin_trace.h) as it
// grows, and the measurements made on it (level at a cycle, the edges in a
// range by binary search, the time high between two cursors). Beside the
// lines, buses: bytes of RAM (the program's BYTE variables) with their
// values over time, in the order the recorder numbers them.
//
// About 11 bytes an edge: a million edges take some 11 MB. A long session
// keeps only the latest edges of its run: past the cap (4 million edges,
// some 45 MB) the oldest quarter is dropped, each line starting again at its
// level at the new start, and droppedEdges() says how many went.
#pragma once

#include <algorithm>
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "pin_trace.h"

namespace velmora::simulator {

class LogicRecording {
 public:
  struct Signal {
    std::vector<std::uint64_t> cycles;  // strictly increasing; the first is the start level
    std::vector<std::uint8_t> levels;
    std::vector<std::uint16_t> pcs;     // program address executing at the edge
    std::vector<bool> driven;           // the program drove the line (else an input changed)
    size_t size() const { return cycles.size(); }
  };
  struct Bus {
    std::string name;
    bool shown = true;                  // false: no longer asked for (its data kept)
    std::vector<std::uint64_t> cycles;  // strictly increasing; the first is the start value
    std::vector<std::uint8_t> values;
    std::vector<std::uint16_t> pcs;     // program address writing the value
    size_t size() const { return cycles.size(); }
  };

  static constexpr int kSignals = toolchain::kTraceLines;
  static constexpr size_t kDefaultCap = 4'000'000;

  void clear();
  // Adds a record of the recording; a record repeating a line's level is
  // dropped (the first of each line is kept as its start level).
  void add(const toolchain::TraceEdge& edge);
  void addAll(const toolchain::PinTrace& trace);
  // A new bus (the recorder's next number); its index.
  int addBus(const std::string& name);
  void showBus(int bus, bool shown) { buses_.at(static_cast<size_t>(bus)).shown = shown; }
  // A bus record; a repeated value is dropped.
  void addByte(const toolchain::TraceByte& byte);
  int busCount() const { return static_cast<int>(buses_.size()); }
  const Bus& bus(int index) const { return buses_[static_cast<size_t>(index)]; }
  // The bus's value at `cycle`; -1 before its first record.
  int busValueAt(int bus, std::uint64_t cycle) const;
  // The change of `bus` nearest to `cycle` within `tolerance` (not its start record).
  std::optional<size_t> busChangeNear(int bus, std::uint64_t cycle, std::uint64_t tolerance) const;
  // Most edges kept (at least 4); the oldest go when more come.
  void setCap(size_t edges) { cap_ = std::max<size_t>(edges, 4); }
  size_t cap() const { return cap_; }
  // Edges (line edges and bus changes) dropped from the start of this run
  // to keep within the cap.
  std::uint64_t droppedEdges() const { return dropped_; }
  // The last cycle the recording covers.
  void setEnd(std::uint64_t cycle) { end_ = std::max(end_, cycle); }
  std::uint64_t end() const { return end_; }
  std::uint64_t start() const;
  size_t edgeCount() const;

  const Signal& signal(int line) const { return signals_[static_cast<size_t>(line)]; }
  // The level of a line at `cycle` (the last edge at or before it); -1 before
  // its first record.
  int levelAt(int line, std::uint64_t cycle) const;
  // Index of the first edge at or after `cycle`.
  size_t firstAtOrAfter(int line, std::uint64_t cycle) const;
  // The edge of `line` nearest to `cycle` within `tolerance` cycles (the
  // start record is not an edge).
  std::optional<size_t> edgeNear(int line, std::uint64_t cycle, std::uint64_t tolerance) const;
  // Cycles the line is high within [from, to).
  std::uint64_t highCycles(int line, std::uint64_t from, std::uint64_t to) const;
  // The first two rising edges of `line` at or after `cycle`: one period.
  std::optional<std::pair<std::uint64_t, std::uint64_t>> periodAfter(int line, std::uint64_t cycle) const;

  // The recording as gpsim's recording format again (for the .vcd export).
  toolchain::PinTrace toTrace() const;

 private:
  // Drops the edges before the cycle from which about 3/4 of the cap remain.
  void trim();

  std::array<Signal, kSignals> signals_;
  std::vector<Bus> buses_;
  std::uint64_t end_ = 0;
  size_t cap_ = kDefaultCap;
  std::uint64_t dropped_ = 0;
};

// What the two cursors measure on a line.
struct CursorMeasure {
  std::uint64_t cycles = 0;  // between the cursors
  double seconds = 0;
  double hertz = 0;          // 1 / seconds (0 when the cursors meet)
  double duty = 0;           // fraction of the span the line is high
};

CursorMeasure Measure(const LogicRecording& recording, int line, std::uint64_t a, std::uint64_t b, long clockHz);

}  // namespace velmora::simulator
