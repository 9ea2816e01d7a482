// SPDX-License-Identifier: GPL-3.0-or-later
// Control flow on the simulated chip: every comparison operator for every
// operand kind against a reference comparison, flag conditions, loop counts,
// BREAK and SELECT CASE with each value hit and missed.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "chip_sim.h"

namespace velmora::test {
namespace {

// Runs "IF <condition> THEN Rk = 1 [ELSE Rk = 2] END IF" for each condition
// (k = 1, 2, ...) after `setup`; the text of a condition up to its last line
// end is run just before its IF. Rk must be 1 when want[k - 1], else 2 with
// ELSE and 0 without. XV and YV are declared for every program.
void ExpectBranches(const std::string& setup, const std::vector<std::string>& conditions,
                    const std::vector<bool>& want, bool withElse, const ChipOptions& options = {}) {
  std::string p = "DIM XV, YV AS BYTE\nDIM R1", body;
  for (size_t k = 1; k <= conditions.size(); ++k) {
    const std::string r = "R" + std::to_string(k);
    const std::string& c = conditions[k - 1];
    if (k > 1) p += ", " + r;
    const size_t cut = c.rfind('\n') == std::string::npos ? 0 : c.rfind('\n') + 1;
    body += r + " = 0\n" + c.substr(0, cut) + "IF " + c.substr(cut) + " THEN\n" + r + " = 1\n" +
            (withElse ? "ELSE\n" + r + " = 2\n" : "") + "END IF\n";
  }
  const ChipResult res = RunOnChip(p + " AS BYTE\n" + setup + body + "END\n", options);
  ASSERT_TRUE(res.ok()) << res.assembly << "\n" << res.log;
  for (size_t k = 1; k <= conditions.size(); ++k)
    EXPECT_EQ(res.Var("R" + std::to_string(k)), want[k - 1] ? 1 : withElse ? 2 : 0) << conditions[k - 1];
}

// Each operand kind against each kind of right operand, for left values
// around 100 (YV holds 100) and at the ends of the signed and unsigned
// ranges: XV holds x and port B's pins read x. A comparison with the
// constant 0 is made on signed bytes, every other one on unsigned bytes.
TEST(ControlFlowOnChip, ComparisonsMatchTheReference) {
  std::vector<std::pair<std::string, std::string>> operands = {{"100", "INPUT(B)"}};
  for (const char* left : {"XV", "INPUT(B)"})
    for (const char* right : {"0", "1", "100", "255", "YV"}) operands.emplace_back(left, right);
  for (const auto& [left, right] : operands) {
    for (const int x : {0, 1, 99, 100, 101, 0x7F, 0x80, 0xFE, 0xFF}) {
      SCOPED_TRACE(left + " against " + right + " with x=" + std::to_string(x));
      const bool signedBytes = right == "0";
      const auto value = [x, signedBytes](const std::string& s) {
        const int v = s == "YV" ? 100 : s == "XV" || s == "INPUT(B)" ? x : std::stoi(s);
        return signedBytes ? static_cast<int>(static_cast<signed char>(v)) : v;
      };
      const int a = value(left), b = value(right);
      ExpectBranches("CONFIG B AS INPUT\nXV = " + std::to_string(x) + "\nYV = 100\n",
                     {left + " = " + right, left + " <> " + right, left + " < " + right, left + " > " + right,
                      left + " <= " + right, left + " >= " + right},
                     {a == b, a != b, a < b, a > b, a <= b, a >= b}, false, {.portBInputs = x});
    }
  }
}

TEST(ControlFlowOnChip, InputLinesAndPortWithoutOperator) {
  struct Row { int pinsB, pinsA, y; };
  for (const Row& r : {Row{0x08, 0, 0}, Row{0x08, 1, 1}, Row{0xF7, 0x10, 5}, Row{0x00, 0, 0}, Row{0x00, 0, 1}}) {
    SCOPED_TRACE("B=" + std::to_string(r.pinsB) + " A=" + std::to_string(r.pinsA) + " YV=" + std::to_string(r.y));
    const bool high = (r.pinsB & 0x08) != 0;
    ExpectBranches("CONFIG A, B AS INPUT\nYV = " + std::to_string(r.y) + "\n",
                   {"INPUT(B3)", "INPUT(B3) = 1", "INPUT(B3) = 0", "INPUT(B3) = YV", "INPUT(A)", "1 = INPUT(B3)"},
                   {high, high, !high, r.y == 0 ? !high : high, (r.pinsA & 0x1F) != 0, high}, false,
                   {.portAInputs = r.pinsA, .portBInputs = r.pinsB});
  }
}

// The carry is set by SET CARRY / CLEAR CARRY, the zero flag by copying a
// zero or non-zero byte.
TEST(ControlFlowOnChip, FlagConditionsAndElse) {
  ExpectBranches("DIM ZZ, NZ, TV AS BYTE\nZZ = 0\nNZ = 5\n",
                 {"SET CARRY\nFLAG_CARRY", "CLEAR CARRY\nFLAG_CARRY", "CLEAR CARRY\nFLAG_CARRY = 0",
                  "SET CARRY\nFLAG_CARRY <> 0", "TV = ZZ\nFLAG_ZERO", "TV = NZ\nFLAG_ZERO",
                  "TV = NZ\nFLAG_ZERO = 0", "TV = ZZ\nFLAG_ZERO = 1"},
                 {true, false, true, true, true, false, true, true}, true);
}

// FOR loops, fixed and general forms: how often the body runs (CNT) and the
// sum of the values the loop variable took (SUM, modulo 256).
TEST(ControlFlowOnChip, ForLoopsRunTheRightNumberOfTimes) {
  struct Row { const char* setup; const char* forLine; int count, sum; };
  const Row rows[] = {
      {"", "FOR I = 1 TO 10", 10, 55},
      {"", "FOR I = 1 TO 255", 255, (255 * 256 / 2) % 256},
      {"", "FOR I = 0 TO 255 STEP 5", 52, (5 * 51 * 52 / 2) % 256},
      {"", "FOR I = 10 TO 0 STEP -1", 11, 55},
      {"", "FOR I = 250 TO 10 STEP -20", 13, (250 + 10) * 13 / 2 % 256},
      {"LV = 3\nHV = 7\n", "FOR I = LV TO 7", 5, 25},
      {"LV = 3\nHV = 7\n", "FOR I = 3 TO HV", 5, 25},
      {"LV = 3\nHV = 7\n", "FOR I = LV TO HV", 5, 25},
      {"LV = 7\nHV = 3\n", "FOR I = LV TO HV STEP -2", 3, 15},
      {"LV = 1\nHV = 9\nSTP = 2\n", "FOR I = LV TO HV STEP STP", 5, 25},
      {"LV = 20\nHV = 5\nSTP = -3\n", "FOR I = LV TO HV STEP STP", 6, 75},
      {"HV = 200\n", "FOR I = 0 TO HV STEP 100", 3, 300 % 256},
  };
  for (const auto& r : rows) {
    const std::string program = std::string("DIM I, CNT, SUM, LV, HV, STP AS BYTE\nCNT = 0\nSUM = 0\n") +
                                r.setup + r.forLine + "\nCNT = CNT + 1\nSUM = SUM + I\nNEXT I\nEND\n";
    const ChipResult res = RunOnChip(program);
    ASSERT_TRUE(res.ok()) << r.forLine << "\n" << res.assembly << "\n" << res.log;
    EXPECT_EQ(res.Var("CNT"), r.count) << r.forLine;
    EXPECT_EQ(res.Var("SUM"), r.sum) << r.forLine;
  }
}

TEST(ControlFlowOnChip, BreakLeavesTheInnermostLoop) {
  // The DO's BREAK ends the DO after two counts; the FOR's BREAK (inside an
  // IF) ends the FOR in its fourth pass; the general FOR's BREAK takes its
  // own exit label.
  const std::string program =
      "DIM I, J, CNT, OUTS, K, ONE, LIM, GEN AS BYTE\nCNT = 0\nOUTS = 0\nGEN = 0\nONE = 1\nLIM = 50\n"
      "FOR I = 1 TO 5\nJ = 0\nDO\nJ = J + 1\nIF J = 3 THEN\nBREAK\nEND IF\nCNT = CNT + 1\nLOOP\n"
      "OUTS = OUTS + 1\nIF I = 4 THEN\nBREAK\nEND IF\nNEXT I\n"
      "FOR K = ONE TO LIM\nGEN = GEN + 1\nIF K = 6 THEN\nBREAK\nEND IF\nNEXT K\nEND\n";
  const ChipResult r = RunOnChip(program);
  ASSERT_TRUE(r.ok()) << r.assembly << "\n" << r.log;
  EXPECT_EQ(r.Var("CNT"), 8);
  EXPECT_EQ(r.Var("OUTS"), 4);
  EXPECT_EQ(r.Var("I"), 4);
  EXPECT_EQ(r.Var("GEN"), 6);
  EXPECT_EQ(r.Var("K"), 6);
}

TEST(ControlFlowOnChip, DoLoopsAtTopAndBottom) {
  // Each loop counts its variable Ck up from 0: the first nine stop at 5, a
  // condition false from the start runs no pass at the top and one at the
  // bottom, and a BREAK ends an endless DO.
  struct Row { const char* top; const char* bottom; int want; };
  const Row rows[] = {
      {"DO WHILE C < 5", "LOOP", 5},     {"DO UNTIL C = 5", "LOOP", 5},      {"DO WHILE NOT C = 5", "LOOP", 5},
      {"DO NOT C = 5", "LOOP", 5},       {"DO UNTIL NOT C < 5", "LOOP", 5},  {"DO", "LOOP WHILE C < 5", 5},
      {"DO", "LOOP UNTIL C = 5", 5},     {"DO", "LOOP NOT C = 5", 5},        {"DO", "LOOP UNTIL NOT C < 5", 5},
      {"DO WHILE C > 100", "LOOP", 0},   {"DO", "LOOP WHILE C > 100", 1},
      {"DO", "IF C = 7 THEN\nBREAK\nEND IF\nLOOP", 7},
  };
  for (const Row& r : rows) {
    const ChipResult res =
        RunOnChip(std::string("DIM C AS BYTE\nC = 0\n") + r.top + "\nC = C + 1\n" + r.bottom + "\nEND\n");
    ASSERT_TRUE(res.ok()) << res.assembly << "\n" << res.log;
    EXPECT_EQ(res.Var("C"), r.want) << r.top << " / " << r.bottom;
  }
}

TEST(ControlFlowOnChip, SelectCaseRunsOnlyTheMatchingCase) {
  // The list follows a range (its label and the list's label meet) and a
  // BREAK leaves the first case early; without CASE ELSE a miss runs no body
  // and a list as the last case still reaches its body from every value.
  // Each pair is a selector and the case it reaches (0: none); HITS counts
  // the bodies that ran.
  struct Row { const char* cases; std::vector<std::pair<int, int>> reached; };
  const Row rows[] = {
      {"CASE 7\nRV = 1\nHITS = HITS + 1\nBREAK\nRV = 9\nCASE 10 TO 20\nRV = 3\nHITS = HITS + 1\n"
       "CASE 1, 3, 5\nRV = 2\nHITS = HITS + 1\nCASE IS > 200\nRV = 4\nHITS = HITS + 1\n"
       "CASE ELSE\nRV = 5\nHITS = HITS + 1\n",
       {{7, 1}, {1, 2}, {3, 2}, {5, 2}, {0, 5}, {2, 5}, {4, 5}, {6, 5}, {9, 5}, {10, 3}, {15, 3}, {20, 3},
        {21, 5}, {200, 5}, {201, 4}, {255, 4}}},
      {"CASE 2\nRV = 1\nHITS = HITS + 1\nCASE 4, 8, 16\nRV = 2\nHITS = HITS + 1\n",
       {{2, 1}, {4, 2}, {8, 2}, {16, 2}, {0, 0}, {3, 0}, {9, 0}, {17, 0}}},
  };
  for (const Row& row : rows) {
    for (const auto& [selector, reached] : row.reached) {
      const ChipResult r = RunOnChip("DIM SV, RV, HITS AS BYTE\nHITS = 0\nRV = 0\nSV = " + std::to_string(selector) +
                                     "\nSELECT CASE SV\n" + row.cases + "END SELECT\nEND\n");
      ASSERT_TRUE(r.ok()) << r.assembly << "\n" << r.log;
      EXPECT_EQ(r.Var("RV"), reached) << "selector " << selector;
      EXPECT_EQ(r.Var("HITS"), reached ? 1 : 0) << "selector " << selector;
    }
  }
}

}  // namespace
}  // namespace velmora::test
