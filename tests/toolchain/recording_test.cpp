// SPDX-License-Identifier: GPL-3.0-or-later
// Recording the lines inside gpsim and changing inputs at given cycles, on
// the real gpasm and gpsim: velmorac --simulate --vcd read back by a
// third-party reader (sigrok-cli), --stimoli driving an IF INPUT branch, a
// malformed stimuli file; the recording and the dump on their own.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <map>
#include <fstream>
#include <sstream>

#include "sim_fixture.h"
#include "vcd_writer.h"

#include "scratch.h"

namespace velmora::toolchain {
namespace {

namespace fs = std::filesystem;

using test::Scratch;

void Write(const fs::path& path, const std::string& text) { std::ofstream(path, std::ios::binary) << text; }

struct Output {
  int status = -1;
  std::string text;  // standard output and standard error
};

Output Shell(const std::string& command) {
  Output out;
  std::FILE* pipe = ::popen((command + " 2>&1").c_str(), "r");
  if (!pipe) return out;
  char buffer[4096];
  size_t n;
  while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) out.text.append(buffer, n);
  const int status = ::pclose(pipe);
  out.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return out;
}

std::string Quote(const fs::path& p) { return "'" + p.string() + "'"; }

// Lengths of the runs of equal samples in a column of 0/1 lines.
std::vector<std::pair<char, size_t>> Runs(const std::string& column) {
  std::vector<std::pair<char, size_t>> runs;
  std::istringstream in(column);
  std::string line;
  while (std::getline(in, line)) {
    if (line.empty() || (line[0] != '0' && line[0] != '1')) continue;
    if (!runs.empty() && runs.back().first == line[0]) ++runs.back().second;
    else runs.emplace_back(line[0], 1);
  }
  return runs;
}

// B0 high for SET B0 + WAIT 100, low for RESET B0 + WAIT 100 + the loop's
// GOTO. WAIT n pauses 4n+1 cycles, so at 4 MHz (1 us a cycle) B0 is high
// 402 us and low 404 us.
constexpr const char* kBlink =
    "CONFIG B AS OUTPUT\nDO\n   SET B0\n   WAIT 100\n   RESET B0\n   WAIT 100\nLOOP\nEND\n";

TEST(Recording, WaitBlinkDumpReadBySigrok) {
  if (Shell("command -v sigrok-cli").status != 0) GTEST_SKIP() << "sigrok-cli (pacchetto sigrok-cli) non installato";
  const fs::path dir = Scratch("vcd");
  Write(dir / "LAMPEGGIO.bas", kBlink);
  const Output sim = Shell(std::string(VELMORAC) + " --simulate 5000 --vcd " + Quote(dir / "lampeggio.vcd") + " " +
                         Quote(dir / "LAMPEGGIO.bas"));
  ASSERT_EQ(sim.status, 0) << sim.text;
  const std::string vcd = test::ReadFile((dir / "lampeggio.vcd").string());
  EXPECT_NE(vcd.find("$timescale 1 us $end"), std::string::npos);
  for (const char* name : {"RA0", "RA4", "RB0", "RB7"})
    EXPECT_NE(vcd.find(std::string(" ") + name + " $end"), std::string::npos) << name;

  const Output read = Shell("sigrok-cli -I vcd -i " + Quote(dir / "lampeggio.vcd") +
                          " -C RB0 -O csv:header=false:label=off");
  ASSERT_EQ(read.status, 0) << read.text;
  const auto runs = Runs(read.text);
  // The first run is the start-up (RB0 low until the first SET), the last
  // is cut by the end of the run: the whole ones in between.
  ASSERT_GE(runs.size(), 8u) << read.text.substr(0, 400);
  for (size_t i = 1; i + 1 < runs.size(); ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(runs[i].second, runs[i].first == '1' ? 402u : 404u);
  }
  fs::remove_all(dir);
}

// The branch taken depends on A0 at the moment the program reads it: low
// until 2 ms, high from 2 ms to cycle 3000, then low again.
TEST(Recording, StimuliDriveAnInputBranch) {
  const fs::path dir = Scratch("stimoli");
  Write(dir / "SCELTA.bas",
        "CONFIG A AS INPUT\nCONFIG B AS OUTPUT\nDIM ALTI AS BYTE\nDIM BASSI AS BYTE\nALTI = 0\nBASSI = 0\nDO\n"
        "   IF INPUT(A0) = 1 THEN\n      ALTI = ALTI + 1\n      SET B1\n   ELSE\n      BASSI = BASSI + 1\n"
        "      RESET B1\n   END IF\n   WAIT 100\nLOOP\nEND\n");
  Write(dir / "a0.txt", "# A0 alta per un millisecondo\r\nciclo=3000 A0=0\r\nt=2ms A0=1 ; premuto\r\n");
  const auto simulate = [&](const std::string& extra) {
    return Shell(std::string(VELMORAC) + " --simulate 5000 " + extra + " " + Quote(dir / "SCELTA.bas"));
  };
  const Output without = simulate("");
  ASSERT_EQ(without.status, 0) << without.text;
  EXPECT_NE(without.text.find("ALTI = 0\n"), std::string::npos) << without.text;

  const Output with = simulate("--stimoli " + Quote(dir / "a0.txt") + " --vcd " + Quote(dir / "scelta.vcd"));
  ASSERT_EQ(with.status, 0) << with.text;
  // One pass of the loop takes a little over 400 cycles: about 2 to 3 passes
  // see A0 high, about 10 see it low.
  int alti = -1, bassi = -1;
  std::sscanf(with.text.c_str() + with.text.find("ALTI = "), "ALTI = %d", &alti);
  std::sscanf(with.text.c_str() + with.text.find("BASSI = "), "BASSI = %d", &bassi);
  EXPECT_GE(alti, 2);
  EXPECT_LE(alti, 3);
  EXPECT_GE(bassi, 9);
  // In the recording A0 (identifier !) changes exactly at its cycles, and
  // B1 (identifier ') follows it within one pass of the loop.
  const std::string dump = test::ReadFile((dir / "scelta.vcd").string());
  EXPECT_NE(dump.find("#2000\n1!"), std::string::npos) << dump;
  EXPECT_NE(dump.find("#3000\n0!"), std::string::npos);
  const size_t rise = dump.find("\n1'\n");
  ASSERT_NE(rise, std::string::npos);
  const size_t stamp = dump.rfind('#', rise);
  const long riseTime = std::stol(dump.substr(stamp + 1));
  EXPECT_GT(riseTime, 2000);
  EXPECT_LT(riseTime, 2500);

  // A malformed file: the file and the line in the message, no run.
  Write(dir / "rotto.txt", "t=1ms A0=1\nt=2ms A0=2\n");
  const Output bad = simulate("--stimoli " + Quote(dir / "rotto.txt"));
  EXPECT_EQ(bad.status, 2);
  EXPECT_NE(bad.text.find((dir / "rotto.txt").string() + ":2: livello non valido in A0=2"), std::string::npos)
      << bad.text;
  EXPECT_EQ(bad.text.find("ALTI ="), std::string::npos);
  fs::remove_all(dir);
}

// A byte variable recorded as a bus: the dump has an 8-bit wire named after
// it whose values are the counter's, one more each pass of the loop, at
// the same distance apart; a byte the program never changes keeps its one
// value. A name that is not a byte variable stops the command.
TEST(Recording, ByteVariableAsBus) {
  const fs::path dir = Scratch("bus");
  Write(dir / "CONTA.bas",
        "DIM CONTA AS BYTE\nDIM FISSO AS BYTE\nDIM GRANDE AS WORD\nFISSO = 42\nCONTA = 0\nDO\n   CONTA = CONTA + 1\n"
        "   WAIT 10\nLOOP\nEND\n");
  const auto simulate = [&](const std::string& extra) {
    return Shell(std::string(VELMORAC) + " --simulate 20000 " + extra + " " + Quote(dir / "CONTA.bas"));
  };
  const Output run = simulate("--vcd " + Quote(dir / "conta.vcd") + " --bus conta --bus FISSO");
  ASSERT_EQ(run.status, 0) << run.text;
  int final = -1;
  std::sscanf(run.text.c_str() + run.text.find("CONTA = "), "CONTA = %d", &final);
  const std::string dump = test::ReadFile((dir / "conta.vcd").string());
  // The identifiers of the two buses, from their declarations.
  std::map<std::string, std::string> id;
  std::istringstream in(dump);
  std::string line;
  std::map<std::string, std::vector<std::pair<long, int>>> values;  // per identifier: (time, value)
  long now = 0;
  while (std::getline(in, line)) {
    std::istringstream words(line);
    std::string w[6];
    words >> w[0] >> w[1] >> w[2] >> w[3] >> w[4];
    if (w[0] == "$var" && w[2] == "8") id[w[4]] = w[3];
    if (!line.empty() && line[0] == '#') now = std::stol(line.substr(1));
    if (!line.empty() && line[0] == 'b') values[w[1]].emplace_back(now, std::stoi(w[0].substr(1), nullptr, 2));
  }
  ASSERT_EQ(id.size(), 2u) << dump.substr(0, 800);
  const auto& conta = values[id["CONTA"]];
  const auto& fisso = values[id["FISSO"]];
  ASSERT_GE(conta.size(), 200u);
  // The first value is the byte when the recording started (0 already, or
  // what RAM held); from the first 0 on, the counter's own: 0, 1, 2, ...
  // (wrapping at 256).
  size_t zero = 0;
  while (zero < conta.size() && conta[zero].second != 0) ++zero;
  ASSERT_LT(zero, 2u);
  for (size_t i = zero; i < conta.size(); ++i) ASSERT_EQ(conta[i].second, static_cast<int>((i - zero) % 256)) << i;
  EXPECT_EQ(conta.back().second, final);
  const long pass = conta[zero + 2].first - conta[zero + 1].first;
  EXPECT_GT(pass, 40);
  for (size_t i = zero + 2; i < conta.size(); ++i) ASSERT_EQ(conta[i].first - conta[i - 1].first, pass) << i;
  ASSERT_FALSE(fisso.empty());
  EXPECT_EQ(fisso.back().second, 42);
  EXPECT_LE(fisso.size(), 2u);

  for (const char* wrong : {"--vcd x.vcd --bus ALTRO", "--vcd x.vcd --bus GRANDE", "--bus CONTA"}) {
    const Output bad = simulate(wrong);
    EXPECT_EQ(bad.status, 2) << wrong;
    EXPECT_EQ(bad.text.find("CONTA ="), std::string::npos) << wrong;
  }
  fs::remove_all(dir);
}

TEST(Recording, TraceAndDumpFormats) {
  // A recording read back: records, the end line, an unfinished line left
  // for the next read, and what is refused.
  const std::string text = "velmora-traccia 1\n0 0 0 0 0\n0 5 1 0 0\n3 5 0 3 1\n9 0 1 7 0\nE 12\n";
  PinTrace trace;
  std::string error;
  const auto read = ReadPinTrace(text + "15 5", 0, trace, error);
  ASSERT_TRUE(read) << error;
  EXPECT_EQ(*read, text.size());
  ASSERT_EQ(trace.edges.size(), 4u);
  EXPECT_EQ(trace.edges[2], (TraceEdge{3, 3, 5, 0, true}));
  EXPECT_TRUE(trace.ended);
  EXPECT_EQ(trace.endCycle, 12u);
  for (const char* bad : {"velmora-traccia 2\n", "velmora-traccia 1\n0 13 0 0 0\n", "velmora-traccia 1\n0 1 2 0 0\n",
                          "velmora-traccia 1\n5 1 1 0 0\n4 1 0 0 0\n", "velmora-traccia 1\n0 1 1 0\n"}) {
    PinTrace t;
    EXPECT_FALSE(ReadPinTrace(bad, 0, t, error)) << bad;
  }

  // The dump: levels at the start, then only real changes, at their times.
  const std::string vcd = VcdText(trace, 4000000);
  EXPECT_NE(vcd.find("$timescale 1 us $end"), std::string::npos);
  EXPECT_NE(vcd.find("#0\n$dumpvars\n0!\nx\"\n"), std::string::npos) << vcd;
  EXPECT_NE(vcd.find("1&\n"), std::string::npos);
  EXPECT_NE(vcd.find("$end\n#3\n0&\n#9\n1!\n#12\n"), std::string::npos) << vcd;

  // Timescales: the cycle is a whole number of units; times stay exact.
  struct Row { long hz; const char* text; std::uint64_t cycle, time; };
  const Row rows[] = {{4000000, "1 us", 7, 7},         {20000000, "100 ns", 7, 14},
                      {32768, "100 fs", 3, 3662109375}, {10000000, "100 ns", 5, 20},
                      {1000000, "1 us", 5, 20},        {3579545, "1 ps", 1, 1117460}};
  for (const Row& row : rows) {
    SCOPED_TRACE(row.hz);
    const VcdTimescale scale = ChooseTimescale(row.hz);
    EXPECT_EQ(scale.text, row.text);
    EXPECT_EQ(VcdTime(row.cycle, scale, row.hz), row.time);
  }
}

}  // namespace
}  // namespace velmora::toolchain
