// Assignments, bitwise assignments and simple statements run on the simulated
// chip: the rows of a test run in order in one program that ends by setting
// FINE, and its variables and ports are read back.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "chip_sim.h"

namespace velmora::test {
namespace {

// Statements (lines) and, when it names one, a variable they leave and its byte.
struct Row {
  const char* code;
  const char* var = nullptr;
  int want = 0;
};

// Runs `setup`, every row's code, then "FINE = 1"; the variables the rows
// name are declared as bytes. Ports are checked when an expectation is given.
void Verifica(const std::string& setup, const std::vector<Row>& rows, int portAInputs = 0, int portA = -1,
              int portB = -1) {
  std::string dim = "DIM FINE", body;
  for (const Row& r : rows) {
    if (*r.code) body += std::string(r.code) + "\n";
    if (r.var) dim += std::string(", ") + r.var;
  }
  ChipOptions options;
  options.portAInputs = portAInputs;
  const ChipResult res = RunOnChip(dim + " AS BYTE\n" + setup + body + "FINE = 1\nEND\n", options);
  ASSERT_TRUE(res.ok()) << res.assembly << "\n" << res.log;
  EXPECT_EQ(res.Var("FINE"), 1) << res.assembly;
  for (const Row& r : rows) {
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

}  // namespace
}  // namespace velmora::test
