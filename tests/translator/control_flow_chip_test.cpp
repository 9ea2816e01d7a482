// Control flow on the simulated chip: every comparison operator for every
// operand kind against a reference comparison, loop counts, BREAK, SELECT
// CASE with each value hit and missed, and parenthesised logic.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "chip_sim.h"

namespace velmora::test {
namespace {

const char* const kOps[] = {"=", "<>", "<", ">", "<=", ">="};

// The comparison the code must make: unsigned bytes, or signed bytes when
// `signedBytes` (the comparisons with the constant 0).
bool Holds(int a, const std::string& op, int b, bool signedBytes = false) {
  if (signedBytes) {
    a = static_cast<signed char>(a);
    b = static_cast<signed char>(b);
  }
  if (op == "=") return a == b;
  if (op == "<>") return a != b;
  if (op == "<") return a < b;
  if (op == ">") return a > b;
  if (op == "<=") return a <= b;
  return a >= b;
}

// A program that sets R1..R6 to 1 when "IF <left> op <right> THEN" holds for
// each operator in kOps, after `setup` (DIM lines are added for XV, YV, R1..R6).
std::string SixComparisons(const std::string& setup, const std::string& left, const std::string& right) {
  std::string p = "DIM XV, YV AS BYTE\nDIM R1, R2, R3, R4, R5, R6 AS BYTE\n" + setup;
  for (int k = 1; k <= 6; ++k) p += "R" + std::to_string(k) + " = 0\n";
  for (int k = 1; k <= 6; ++k) {
    p += "IF " + left + " " + kOps[k - 1] + " " + right + " THEN\n";
    p += "R" + std::to_string(k) + " = 1\nEND IF\n";
  }
  return p + "END\n";
}

// Runs the program and checks R1..R6 against `want(op)`.
template <typename Want>
void ExpectComparisons(const std::string& program, const ChipOptions& options, Want want,
                       const std::string& what) {
  const ChipResult r = RunOnChip(program, options);
  ASSERT_TRUE(r.ok()) << what << "\n" << r.assembly << "\n" << r.log;
  for (int k = 1; k <= 6; ++k) {
    const std::string op = kOps[k - 1];
    EXPECT_EQ(r.Var("R" + std::to_string(k)), want(op) ? 1 : 0) << what << " with " << op;
  }
}

TEST(ControlFlowOnChip, VariableAgainstConstant) {
  struct Row { int x, k; };
  const Row rows[] = {{0, 100}, {99, 100}, {100, 100}, {101, 100}, {255, 100},
                      {254, 255}, {255, 255}, {0x80, 1}, {1, 1}, {0, 1}};
  for (const auto& r : rows) {
    const std::string k = std::to_string(r.k);
    const std::string program = SixComparisons("XV = " + std::to_string(r.x) + "\n", "XV", k);
    ExpectComparisons(program, {}, [&](const std::string& op) { return Holds(r.x, op, r.k); },
                      "XV = " + std::to_string(r.x) + " against " + k);
  }
}

TEST(ControlFlowOnChip, VariableAgainstZeroIsSigned) {
  for (int x : {0, 1, 0x7F, 0x80, 0xFF}) {
    const std::string program = SixComparisons("XV = " + std::to_string(x) + "\n", "XV", "0");
    ExpectComparisons(program, {}, [&](const std::string& op) { return Holds(x, op, 0, true); },
                      "XV = " + std::to_string(x) + " against 0");
  }
}

TEST(ControlFlowOnChip, VariableAgainstVariable) {
  struct Row { int x, y; };
  const Row rows[] = {{5, 9}, {9, 9}, {9, 5}, {0, 255}, {255, 0}, {0x80, 0x7F}};
  for (const auto& r : rows) {
    const std::string setup = "XV = " + std::to_string(r.x) + "\nYV = " + std::to_string(r.y) + "\n";
    ExpectComparisons(SixComparisons(setup, "XV", "YV"), {},
                      [&](const std::string& op) { return Holds(r.x, op, r.y); },
                      "XV = " + std::to_string(r.x) + ", YV = " + std::to_string(r.y));
  }
}

TEST(ControlFlowOnChip, PortAgainstConstantVariableAndZero) {
  // `swapped` writes the constant before INPUT(): "IF 100 op INPUT(B)".
  struct Row { int pins; const char* right; int y; bool signedBytes, swapped; };
  const Row rows[] = {
      {99, "100", 0, false, false},  {100, "100", 0, false, false}, {101, "100", 0, false, false},
      {0xFF, "100", 0, false, false}, {0, "0", 0, true, false},     {1, "0", 0, true, false},
      {0x80, "0", 0, true, false},    {0xFF, "0", 0, true, false},  {0x7F, "0", 0, true, false},
      {20, "YV", 21, false, false},   {21, "YV", 21, false, false}, {22, "YV", 21, false, false},
      {0, "YV", 0xFF, false, false},  {99, "100", 0, false, true},  {100, "100", 0, false, true},
      {101, "100", 0, false, true},
  };
  for (const auto& r : rows) {
    ChipOptions o;
    o.portBInputs = r.pins;
    const std::string setup = "CONFIG B AS INPUT\nYV = " + std::to_string(r.y) + "\n";
    const std::string right = r.right;
    const int value = right == "YV" ? r.y : std::stoi(right);
    const std::string program =
        r.swapped ? SixComparisons(setup, right, "INPUT(B)") : SixComparisons(setup, "INPUT(B)", right);
    ExpectComparisons(program, o,
                      [&](const std::string& op) {
                        return r.swapped ? Holds(value, op, r.pins) : Holds(r.pins, op, value, r.signedBytes);
                      },
                      "pins " + std::to_string(r.pins) + (r.swapped ? " swapped with " : " against ") + right);
  }
}

TEST(ControlFlowOnChip, InputLinesAndPortWithoutOperator) {
  // R1: INPUT(B3); R2: INPUT(B3) = 1; R3: INPUT(B3) = 0; R4: INPUT(B3) = YV;
  // R5: INPUT(A) (non-zero port); R6: 1 = INPUT(B3) swapped.
  const char* const conditions[] = {"INPUT(B3)", "INPUT(B3) = 1", "INPUT(B3) = 0", "INPUT(B3) = YV",
                                    "INPUT(A)", "1 = INPUT(B3)"};
  struct Row { int pinsB, pinsA, y; };
  const Row rows[] = {{0x08, 0, 0}, {0x08, 1, 1}, {0xF7, 0x10, 5}, {0x00, 0, 0}, {0x00, 0, 1}};
  for (const auto& r : rows) {
    std::string p = "DIM YV AS BYTE\nDIM R1, R2, R3, R4, R5, R6 AS BYTE\nCONFIG A, B AS INPUT\nYV = " +
                    std::to_string(r.y) + "\n";
    for (int k = 1; k <= 6; ++k) p += "R" + std::to_string(k) + " = 0\n";
    for (int k = 1; k <= 6; ++k)
      p += std::string("IF ") + conditions[k - 1] + " THEN\nR" + std::to_string(k) + " = 1\nEND IF\n";
    p += "END\n";
    ChipOptions o;
    o.portBInputs = r.pinsB;
    o.portAInputs = r.pinsA;
    const ChipResult res = RunOnChip(p, o);
    ASSERT_TRUE(res.ok()) << res.assembly << "\n" << res.log;
    const bool high = (r.pinsB & 0x08) != 0;
    const bool want[] = {high, high, !high, r.y == 0 ? !high : high, (r.pinsA & 0x1F) != 0, high};
    for (int k = 1; k <= 6; ++k)
      EXPECT_EQ(res.Var("R" + std::to_string(k)), want[k - 1] ? 1 : 0)
          << conditions[k - 1] << " with B=" << r.pinsB << " A=" << r.pinsA << " YV=" << r.y;
  }
}

TEST(ControlFlowOnChip, FlagConditionsAndElse) {
  // Carry set by SET CARRY / CLEAR CARRY, zero by copying a zero or non-zero byte.
  const std::string program =
      "DIM ZZ, NZ, TV AS BYTE\nDIM R1, R2, R3, R4, R5, R6, R7, R8 AS BYTE\n"
      "ZZ = 0\nNZ = 5\n"
      "SET CARRY\nIF FLAG_CARRY THEN\nR1 = 1\nELSE\nR1 = 2\nEND IF\n"
      "CLEAR CARRY\nIF FLAG_CARRY THEN\nR2 = 1\nELSE\nR2 = 2\nEND IF\n"
      "CLEAR CARRY\nIF FLAG_CARRY = 0 THEN\nR3 = 1\nELSE\nR3 = 2\nEND IF\n"
      "SET CARRY\nIF FLAG_CARRY <> 0 THEN\nR4 = 1\nELSE\nR4 = 2\nEND IF\n"
      "TV = ZZ\nIF FLAG_ZERO THEN\nR5 = 1\nELSE\nR5 = 2\nEND IF\n"
      "TV = NZ\nIF FLAG_ZERO THEN\nR6 = 1\nELSE\nR6 = 2\nEND IF\n"
      "TV = NZ\nIF FLAG_ZERO = 0 THEN\nR7 = 1\nELSE\nR7 = 2\nEND IF\n"
      "TV = ZZ\nIF FLAG_ZERO = 1 THEN\nR8 = 1\nELSE\nR8 = 2\nEND IF\nEND\n";
  const ChipResult r = RunOnChip(program);
  ASSERT_TRUE(r.ok()) << r.assembly << "\n" << r.log;
  const int want[] = {1, 2, 1, 1, 1, 2, 1, 1};
  for (int k = 1; k <= 8; ++k) EXPECT_EQ(r.Var("R" + std::to_string(k)), want[k - 1]) << "R" << k;
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
  // Each loop counts its variable up from 0; C1..C9 should stop at 5; the
  // last two test a condition false from the start (top: no pass, bottom: one).
  const char* const loops[][2] = {
      {"DO WHILE C1 < 5", "LOOP"},        {"DO UNTIL C2 = 5", "LOOP"},
      {"DO WHILE NOT C3 = 5", "LOOP"},    {"DO NOT C4 = 5", "LOOP"},
      {"DO UNTIL NOT C5 < 5", "LOOP"},    {"DO", "LOOP WHILE C6 < 5"},
      {"DO", "LOOP UNTIL C7 = 5"},        {"DO", "LOOP NOT C8 = 5"},
      {"DO", "LOOP UNTIL NOT C9 < 5"},    {"DO WHILE C10 > 100", "LOOP"},
      {"DO", "LOOP WHILE C11 > 100"},
  };
  std::string program = "DIM C1, C2, C3, C4, C5, C6, C7, C8, C9, C10, C11, C12 AS BYTE\n";
  for (int k = 1; k <= 12; ++k) program += "C" + std::to_string(k) + " = 0\n";
  for (int k = 1; k <= 11; ++k) {
    const std::string c = "C" + std::to_string(k);
    program += std::string(loops[k - 1][0]) + "\n" + c + " = " + c + " + 1\n" + loops[k - 1][1] + "\n";
  }
  program += "DO\nC12 = C12 + 1\nIF C12 = 7 THEN\nBREAK\nEND IF\nLOOP\nEND\n";
  const ChipResult r = RunOnChip(program);
  ASSERT_TRUE(r.ok()) << r.assembly << "\n" << r.log;
  const int want[] = {5, 5, 5, 5, 5, 5, 5, 5, 5, 0, 1, 7};
  for (int k = 1; k <= 12; ++k) {
    const char* const* loop = k <= 11 ? loops[k - 1] : nullptr;
    EXPECT_EQ(r.Var("C" + std::to_string(k)), want[k - 1])
        << (loop ? std::string(loop[0]) + " / " + loop[1] : "DO ... BREAK ... LOOP");
  }
}

// The case a selector value reaches: 1 for 7, 2 for the list, 3 for the range, 4 for IS, 5 else.
int CaseOf(int v) {
  if (v == 7) return 1;
  if (v >= 10 && v <= 20) return 3;
  if (v == 1 || v == 3 || v == 5) return 2;
  if (v > 200) return 4;
  return 5;
}

TEST(ControlFlowOnChip, SelectCaseHitsEachCaseOnce) {
  // The list follows a range (its label and the list's label meet), and a
  // BREAK leaves the first case early. RV counts the bodies that ran.
  const std::string body =
      "SELECT CASE SV\nCASE 7\nRV = 1\nHITS = HITS + 1\nBREAK\nRV = 9\n"
      "CASE 10 TO 20\nRV = 3\nHITS = HITS + 1\nCASE 1, 3, 5\nRV = 2\nHITS = HITS + 1\n"
      "CASE IS > 200\nRV = 4\nHITS = HITS + 1\nCASE ELSE\nRV = 5\nHITS = HITS + 1\nEND SELECT\nEND\n";
  for (int v : {7, 1, 3, 5, 0, 2, 4, 6, 9, 10, 15, 20, 21, 200, 201, 255}) {
    const std::string program = "DIM SV, RV, HITS AS BYTE\nHITS = 0\nRV = 0\nSV = " + std::to_string(v) + "\n" + body;
    const ChipResult r = RunOnChip(program);
    ASSERT_TRUE(r.ok()) << r.assembly << "\n" << r.log;
    EXPECT_EQ(r.Var("RV"), CaseOf(v)) << "selector " << v;
    EXPECT_EQ(r.Var("HITS"), 1) << "selector " << v;
  }
}

TEST(ControlFlowOnChip, SelectCaseValueListAsLastCase) {
  // Without CASE ELSE a miss runs no body; a list as the last case still
  // reaches its body from every value.
  const std::string body =
      "SELECT CASE SV\nCASE 2\nRV = 1\nCASE 4, 8, 16\nRV = 2\nEND SELECT\nEND\n";
  for (int v : {2, 4, 8, 16, 0, 3, 9, 17}) {
    const std::string program = "DIM SV, RV AS BYTE\nRV = 0\nSV = " + std::to_string(v) + "\n" + body;
    const ChipResult r = RunOnChip(program);
    ASSERT_TRUE(r.ok()) << r.assembly << "\n" << r.log;
    const int want = v == 2 ? 1 : (v == 4 || v == 8 || v == 16) ? 2 : 0;
    EXPECT_EQ(r.Var("RV"), want) << "selector " << v;
  }
}

TEST(ControlFlowOnChip, ParenthesisedLogicComputesTheByte) {
  struct Row { int a, b, c; };
  const Row rows[] = {{0x5A, 0x0F, 0x33}, {0xFF, 0x00, 0x80}, {0x01, 0x01, 0x00}};
  for (const auto& r : rows) {
    const std::string program =
        "DIM AV, BV, CV, YV, ZV, QV, PV, R1 AS BYTE\nAV = " + std::to_string(r.a) + "\nBV = " +
        std::to_string(r.b) + "\nCV = " + std::to_string(r.c) + "\nR1 = 0\n"
        "YV = (AV AND BV) OR NOT(CV)\nZV = ((AV XOR BV) AND CV)\nQV = NOT(AV OR BV)\n"
        "PV = (AV OR BV) AND (CV OR 3)\n"
        "IF (AV AND BV) = 1 THEN\nR1 = 1\nEND IF\nEND\n";
    const ChipResult res = RunOnChip(program);
    ASSERT_TRUE(res.ok()) << res.assembly << "\n" << res.log;
    EXPECT_EQ(res.Var("YV"), ((r.a & r.b) | ~r.c) & 0xFF);
    EXPECT_EQ(res.Var("ZV"), (r.a ^ r.b) & r.c);
    EXPECT_EQ(res.Var("QV"), ~(r.a | r.b) & 0xFF);
    EXPECT_EQ(res.Var("PV"), (r.a | r.b) & (r.c | 3));
    EXPECT_EQ(res.Var("R1"), (r.a & r.b) == 1 ? 1 : 0);
  }
}

}  // namespace
}  // namespace velmora::test
