// SPDX-License-Identifier: GPL-3.0-or-later
// Programs run on the simulated chip: assignments and simple statements, the
// declarations and interrupts, SUBs, and the example programs shipped with
// the help, each read back from RAM, ports, TRIS registers and EEPROM.
// (Control flow has a file of its own.)
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "chip_sim.h"
#include "text.h"

namespace velmora::test {
namespace {

// ---- Assignments, bitwise assignments and simple statements: the rows of a
// test run in order in one program that ends by setting FINE, and its
// variables and ports are read back.

// Statements (lines) and, when it names one, a variable they leave and its byte.
struct Step { const char* code; const char* var = nullptr; int want = 0; };

// Runs `setup`, every row's code, then "FINE = 1"; the variables the rows
// name are declared as bytes. Ports are checked when an expectation is given.
void Verifica(const std::string& setup, const std::vector<Step>& rows, int portAInputs = 0, int portA = -1,
              int portB = -1) {
  std::string dim = "DIM FINE", body;
  for (const Step& r : rows) {
    if (*r.code) body += std::string(r.code) + "\n";
    if (r.var) dim += std::string(", ") + r.var;
  }
  const ChipResult res = RunOnChip(dim + " AS BYTE\n" + setup + body + "FINE = 1\nEND\n", {.portAInputs = portAInputs});
  ASSERT_TRUE(res.ok()) << res.assembly << "\n" << res.log;
  EXPECT_EQ(res.Var("FINE"), 1) << res.assembly;
  for (const Step& r : rows) {
    if (r.var) {
      EXPECT_EQ(res.Var(r.var), r.want) << r.code << "\n" << res.assembly;
    }
  }
  EXPECT_TRUE(portA < 0 || res.portA == portA) << "PORTA " << res.portA;
  EXPECT_TRUE(portB < 0 || res.portB == portB) << "PORTB " << res.portB;
}

// Constants, copies, sums and differences wrap around in one byte; the carry
// follows the last addition or subtraction (set = no borrow).
TEST(EspressioniSulChip, ArithmeticWrapsAndSetsTheCarry) {
  Verifica("CONST K = 200\n",
           {{"V1 = K", "V1", 200}, {"V2 = 100", "V2", 100}, {"S1 = V1 + V2", "S1", 44},
            {"C1 = FLAG_CARRY", "C1", 1}, {"S2 = V2 - V1", "S2", 156}, {"C2 = FLAG_CARRY", "C2", 0},
            {"S3 = V1 - 200", "S3", 0}, {"C3 = FLAG_CARRY", "C3", 1}, {"Z1 = FLAG_ZERO", "Z1", 1},
            {"S4 = 5 - V2", "S4", 161}, {"S5 = 255\nS5 = S5 + 1", "S5", 0}, {"S6 = 0\nS6 = S6 - 1", "S6", 255},
            {"N1 = 1 - 2", "N1", 255}, {"N2 = -1", "N2", 255}, {"N3 = &H1F", "N3", 31},
            {"N4 = V2\nN4 = 7 + N4", "N4", 107}});
}

TEST(EspressioniSulChip, BitwiseOperators) {
  Verifica("DIM P, Q AS BYTE\nP = &HF0\nQ = &H3C\n",
           {{"A1 = P AND Q", "A1", 0x30}, {"A2 = 15 AND Q", "A2", 0x0C}, {"O1 = P OR 3", "O1", 0xF3},
            {"O2 = 12 OR 3", "O2", 0x0F}, {"X1 = P XOR Q", "X1", 0xCC}, {"X2 = Q XOR Q", "X2", 0},
            {"T1 = NOT(P)", "T1", 0x0F}, {"T2 = NOT(0)", "T2", 0xFF}, {"T3 = Q\nT3 = NOT(T3)", "T3", 0xC3}});
}

// Parenthesised logic, in assignments and in IF conditions taken both ways.
TEST(EspressioniSulChip, ParenthesisedLogic) {
  Verifica("DIM AV, BV, CV AS BYTE\nAV = &H5A\nBV = &H0F\nCV = &H33\n",
           {{"YV = (AV AND BV) OR NOT(CV)", "YV", 0xCE}, {"ZV = ((AV XOR BV) AND CV)", "ZV", 0x11},
            {"QV = NOT(AV OR BV)", "QV", 0xA0}, {"PV = (AV OR BV) AND (CV OR 3)", "PV", 0x13},
            {"R1 = 0\nIF (AV AND BV) = 1 THEN\nR1 = 1\nEND IF", "R1", 0},
            {"IF (BV AND CV) = 3 THEN\nR2 = 1\nEND IF", "R2", 1}});
}

// Port reads with driven inputs, port and line writes, bit moves, jumps and
// inline assembly.
TEST(EspressioniSulChip, PortsBitsJumpsAndAsm) {
  Verifica("CONFIG A0, A1, A2 AS INPUT\nCONFIG B AS OUTPUT\n",
           {{"IA = INPUT(A)", "IA", 0x05}, {"I0 = INPUT(A0)", "I0", 1}, {"I1 = INPUT(A1)", "I1", 0},
            {"OUTPUT B, &HF0\nSET B0\nRESET B7\nCLEAR B6\nSET A3"},
            {"SW = &H3C\nSWAP BINARY SW", "SW", 0xC3}, {"X = 1\nY = 2\nSWAP BYTE X, Y", "X", 2}, {"", "Y", 1},
            {"R1 = &H81\nCLEAR CARRY\nROTATE LEFT R1, 2", "R1", 0x05},
            {"R2 = &H81\nSET CARRY\nROTATE RIGHT R2", "R2", 0xC0},
            {"H1 = &H81\nSET CARRY\nSHIFT LEFT H1, 3", "H1", 0x08},
            {"H2 = &H81\nSET FLAG CARRY\nSHIFT RIGHT H2", "H2", 0x40},
            {"ASM(MOVLW &H2A)\nASM(MOVWF AV)", "AV", 0x2A}, {"ASM{\nMOVLW 0x17\nMOVWF AW\n}", "AW", 0x17},
            {"GOTO AVANTI\nSALTO = 99\nAVANTI:", "SALTO", 0}},
           0x05, 0x0D, 0x31);
}

// WAIT loops take the cycles they promise: timer 0 counts instruction cycles
// and RND reads it between the delays (a read and its MOVWF, two cycles, lie
// between one delay and the next). Three NOPs; a loop of n passes takes
// 2 + 4 (n - 1) + 3 cycles; the double loop reloads the inner count on each
// outer pass: 2 + (2 + 39 + 1 + 2) + (2 + 39 + 2).
TEST(EspressioniSulChip, WaitDelaysAreMeasuredByTheTimer) {
  Verifica("DIM M0, M1, M2, M3, M4, N AS BYTE\nN = 20\nSET INTERNAL CLOCK\n",
           {{"M0 = RND\nWAIT 3\nM1 = RND()\nWAIT 50\nM2 = RND\nWAIT N\nM3 = RND\nWAIT 2, 10\nM4 = RND"},
            {"D1 = M1 - M0", "D1", 2 + 3}, {"D2 = M2 - M1", "D2", 2 + 201}, {"D3 = M3 - M2", "D3", 2 + 81},
            {"D4 = M4 - M3", "D4", 2 + 89}});
}

// ---- CONFIG, DATA/GETDATA, WRITE/READ and the interrupt statements.

TEST(DeclarationsOnChip, ConfigSetsTheTrisRegisters) {
  const auto r = RunOnChip(
      "CONFIG B0, B1 AS INPUT\nCONFIG A AS INPUT\nCONFIG A0, B7 AS OUTPUT\nCONFIG B7, B6 AS INPUT\nEND\n");
  ASSERT_TRUE(r.ok()) << r.assembly << r.log;
  EXPECT_EQ(r.trisA & 0x1F, 0x1E);
  EXPECT_EQ(r.trisB, 0xC3);
}

// GETDATA reads the DATA table and gives zero outside it; WRITE stores its
// values from the address it ends with, READ reads them back.
TEST(DeclarationsOnChip, DataAndEepromAreReadBack) {
  struct Row { const char* program; std::vector<std::pair<const char*, int>> want; std::vector<int> eeprom; };
  const Row rows[] = {
      {"DATA 10, \"A\", 255\nDATA 7\nDIM K, G1, G4, GV, G0, G5 AS BYTE\nG1 = GETDATA(1)\nG4 = GETDATA(4)\n"
       "K = 3\nGV = GETDATA(K)\nK = 0\nG0 = GETDATA(K)\nK = 5\nG5 = GETDATA(K)\nEND\n",
       {{"G1", 10}, {"G4", 7}, {"GV", 255}, {"G0", 0}, {"G5", 0}}, {}},
      {"DIM V, AD, R1, R2, R3, R4 AS BYTE\nV = 77\nAD = 20\nWRITE 5, \"AB\", V, 3\nWRITE V, AD\nWRITE 99, 1\n"
       "R1 = READ(3)\nR2 = READ(5)\nR3 = READ(6)\nR4 = READ(AD)\nEND\n",
       {{"R1", 5}, {"R2", 'B'}, {"R3", 77}, {"R4", 77}},
       {0, 99, 0, 5, 'A', 'B', 77, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 77}},
  };
  for (const Row& row : rows) {
    const auto r = RunOnChip(row.program);
    ASSERT_TRUE(r.ok()) << r.assembly << r.log;
    for (const auto& [name, value] : row.want) EXPECT_EQ(r.Var(name), value) << name;
    EXPECT_EQ(std::vector<int>(r.eeprom.begin(), r.eeprom.begin() + row.eeprom.size()), row.eeprom);
  }
}

// N counts timer interrupts, M is copied from N by the main loop. The
// prescaler is 1/256 and the timer starts from 0: the first overflow comes
// after 256 x 256 cycles, then one every (256 - reload) x 256 cycles. With a
// reload of 206 that is 1 + 10 interrupts in 200000 cycles; without a reload
// the timer runs the full 256 x 256 cycles: 3 interrupts. Meanwhile three
// rising edges on B0 (the edge the chip starts with) and three changes on B4
// call their SUBs.
TEST(DeclarationsOnChip, InterruptsCallTheirSubsWhileTheMainLoopRuns) {
  for (const auto& [reload, n] : std::vector<std::pair<std::string, int>>{{"206", 11}, {"R", 11}, {"0", 3}}) {
    const auto r = RunOnChip(
        "CONFIG B AS INPUT\nDIM N, M, R, EXT, CHG AS BYTE\nR = 206\nON TIMER INTERRUPT CALL TICK\n"
        "ON EXTERNAL INTERRUPT CALL EDGE\nON LINE INTERRUPT CALL CHANGE\nSET INIT TIMER TO " + reload +
            "\nDO\n  M = N\nLOOP\nEND\nSUB TICK\n  N = N + 1\nEND SUB\nSUB EDGE\n  EXT = EXT + 1\nEND SUB\n"
            "SUB CHANGE\n  CHG = CHG + 1\nEND SUB\n",
        {.pulses = {{"portb0", "10000, 1, 20000, 0, 30000, 1, 40000, 0, 50000, 1"},
                    {"portb4", "15000, 1, 25000, 0, 35000, 1"}}});
    ASSERT_TRUE(r.ok()) << r.assembly << r.log;
    EXPECT_EQ(r.Var("N"), n) << reload;
    EXPECT_GE(r.Var("M"), r.Var("N") - 1) << reload;
    EXPECT_EQ(r.Var("EXT"), 3) << reload;
    EXPECT_EQ(r.Var("CHG"), 3) << reload;
  }
}

// ---- SUBs: parameters, EXIT SUB, nested calls and the deepest chain the
// stack holds (one more is refused: the limits test).

TEST(SubroutinesOnChip, ParametersExitAndNestedCallsReturnInOrder) {
  // DUE's EXIT SUB skips its last line; UNO goes on after DUE returns; S1
  // calls S2 and so on down to S7, which sets DEEP.
  std::string chain;
  for (int k = 1; k <= 7; ++k)
    chain += "SUB S" + text::Dec(k) + (k < 7 ? "\n  CALL S" + text::Dec(k + 1) : "\n  DEEP = 7") + "\nEND SUB\n";
  const auto r = RunOnChip(
      "DIM X, Y, S, T, SEEN, DEEP, FINE AS BYTE\nCALL SOMMA(3, 4)\nCALL SOMMA(S, 10)\nCALL UNO\nCALL S1\nFINE = 1\n"
      "END\nSUB SOMMA(X, Y)\n  S = X + Y\nEND SUB\nSUB UNO\n  T = T + 1\n  CALL DUE\n  T = T + 10\nEND SUB\n"
      "SUB DUE\n  SEEN = T\n  T = T + 100\n  EXIT SUB\n  T = 0\nEND SUB\n" + chain);
  ASSERT_TRUE(r.ok()) << r.assembly << r.log;
  for (const auto& [name, value] : {std::pair<const char*, int>{"S", 17}, {"X", 7}, {"SEEN", 1}, {"T", 111},
                                    {"DEEP", 7}, {"FINE", 1}})
    EXPECT_EQ(r.Var(name), value) << name;
}

// ---- The four example programs shipped with the help behave as their
// comments describe.

std::string Example(const std::string& name) {
  std::ostringstream s;
  s << std::ifstream(std::string(VELMORA_SOURCE_DIR) + "/examples/" + name, std::ios::binary).rdbuf();
  return s.str();
}

// configurazione_io copies A0 to B5; lettura_linee_a weighs A0..A4 into one
// byte shown on port B and ends once that byte is 27, so VALORE then stays.
TEST(Examples, PortAIsCopiedToPortB) {
  struct Row { const char* file; int portA, mask, portB, valore; };
  const Row rows[] = {{"configurazione_io.bas", 1, 0x20, 0x20, -1}, {"configurazione_io.bas", 0, 0x20, 0, -1},
                      {"lettura_linee_a.bas", 27, 0xFF, 27, 27}, {"lettura_linee_a.bas", 5, 0xFF, 5, -1},
                      {"lettura_linee_a.bas", 31, 0xFF, 31, -1}};
  for (const Row& row : rows) {
    const auto r = RunOnChip(Example(row.file), {.cycles = 5000, .portAInputs = row.portA});
    ASSERT_TRUE(r.ok()) << r.assembly << r.log;
    EXPECT_EQ(r.portB & row.mask, row.portB) << row.file << " with A=" << row.portA;
    EXPECT_TRUE(row.valore < 0 || r.Var("VALORE") == row.valore) << r.Var("VALORE");
  }
}

// The bytes read are shown on port B until the first zero, where the loop
// breaks with INDIRIZZO on the zero's address; eleven non-zero bytes are all
// read, from address 0 to 10.
TEST(Examples, EepromReadingStopsAtTheFirstZero) {
  struct Row { std::vector<int> stored; long cycles; int read, portB; };
  const Row rows[] = {{{3, 7, 9, 0, 5}, 2000000, 3, 9}, {std::vector<int>(11, 5), 4000000, 11, 5}};
  for (const Row& row : rows) {
    ChipOptions options{.cycles = row.cycles};
    for (size_t k = 0; k < row.stored.size(); ++k)
      options.gpsimCommands.push_back("p16f84.eeData[" + std::to_string(k) + "] = " + std::to_string(row.stored[k]));
    const auto r = RunOnChip(Example("lettura_eeprom.bas"), options);
    ASSERT_TRUE(r.ok()) << r.assembly << r.log;
    EXPECT_EQ(r.Var("LETTI"), row.read);
    EXPECT_EQ(r.portB, row.portB);
    if (row.read < 11) {
      EXPECT_EQ(r.Var("INDIRIZZO"), row.read);
    }
  }
}

// A0 blinks with a period of about one second (0.5 s on, 0.5 s off); each
// rising edge on B0 toggles A1.
TEST(Examples, B0InterruptTogglesA1WhileA0Blinks) {
  struct Row { long cycles; std::string edges; int a0, a1; };
  const Row rows[] = {
      {250000, "50000, 1, 60000, 0, 100000, 1, 110000, 0, 150000, 1", 1, 1},
      {750000, "50000, 1, 60000, 0, 600000, 1", 0, 0},
  };
  for (const auto& row : rows) {
    const auto r = RunOnChip(Example("interrupt_b0.bas"), {.cycles = row.cycles, .pulses = {{"portb0", row.edges}}});
    ASSERT_TRUE(r.ok()) << r.assembly << r.log;
    EXPECT_EQ(r.portA & 1, row.a0) << row.cycles;
    EXPECT_EQ((r.portA >> 1) & 1, row.a1) << row.cycles;
    EXPECT_EQ(r.Var("STATO_A1"), row.a1) << row.cycles;
  }
}

}  // namespace
}  // namespace velmora::test
