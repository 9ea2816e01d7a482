// Assignments, bitwise assignments and simple statements run on the simulated
// chip: each program ends by setting FINE, and its variables and ports are
// read back.
#include <gtest/gtest.h>

#include <map>
#include <string>

#include "chip_sim.h"

namespace velmora::test {
namespace {

struct Caso {
  const char* name;
  std::string basic;
  std::map<std::string, int> want;  // variable -> byte
  int portAInputs = 0, portBInputs = 0;
  int portA = -1, portB = -1;       // expected port registers (-1: not checked)
};

void Verifica(const Caso& c) {
  SCOPED_TRACE(c.name);
  ChipOptions options;
  options.portAInputs = c.portAInputs;
  options.portBInputs = c.portBInputs;
  const ChipResult r = RunOnChip(c.basic, options);
  ASSERT_TRUE(r.ok()) << r.assembly << "\n" << r.log;
  EXPECT_EQ(r.Var("FINE"), 1) << r.assembly;
  for (const auto& [name, value] : c.want) EXPECT_EQ(r.Var(name), value) << name << "\n" << r.assembly;
  if (c.portA >= 0) {
    EXPECT_EQ(r.portA, c.portA);
  }
  if (c.portB >= 0) {
    EXPECT_EQ(r.portB, c.portB);
  }
}

// Constants, copies, sums and differences wrap around in one byte; the carry
// follows the last addition or subtraction (set = no borrow).
TEST(EspressioniSulChip, ArithmeticWrapsAndSetsTheCarry) {
  Verifica({"arithmetic", R"(CONST K = 200
DIM V1, V2, S1, S2, S3, S4, S5, S6 AS BYTE
DIM C1, C2, C3, Z1, N1, N2, N3, N4 AS BYTE
DIM FINE AS BYTE
V1 = K
V2 = 100
S1 = V1 + V2
C1 = FLAG_CARRY
S2 = V2 - V1
C2 = FLAG_CARRY
S3 = V1 - 200
C3 = FLAG_CARRY
Z1 = FLAG_ZERO
S4 = 5 - V2
S5 = 255
S5 = S5 + 1
S6 = 0
S6 = S6 - 1
N1 = 1 - 2
N2 = -1
N3 = &H1F
N4 = V2
N4 = 7 + N4
FINE = 1
END
)",
            {{"V1", 200}, {"V2", 100}, {"S1", 44}, {"C1", 1}, {"S2", 156}, {"C2", 0}, {"S3", 0}, {"C3", 1},
             {"Z1", 1}, {"S4", 161}, {"S5", 0}, {"S6", 255}, {"N1", 255}, {"N2", 255}, {"N3", 31}, {"N4", 107}}});
}

TEST(EspressioniSulChip, BitwiseOperators) {
  Verifica({"bitwise", R"(DIM P, Q, A1, A2, O1, O2, X1, X2, T1, T2, T3 AS BYTE
DIM FINE AS BYTE
P = &HF0
Q = &H3C
A1 = P AND Q
A2 = 15 AND Q
O1 = P OR 3
O2 = 12 OR 3
X1 = P XOR Q
X2 = Q XOR Q
T1 = NOT(P)
T2 = NOT(0)
T3 = Q
T3 = NOT(T3)
FINE = 1
END
)",
            {{"A1", 0x30}, {"A2", 0x0C}, {"O1", 0xF3}, {"O2", 0x0F}, {"X1", 0xCC}, {"X2", 0}, {"T1", 0x0F},
             {"T2", 0xFF}, {"T3", 0xC3}}});
}

// Port reads with driven inputs, port and line writes, bit moves, jumps and
// inline assembly.
TEST(EspressioniSulChip, PortsBitsJumpsAndAsm) {
  Verifica({"statements", R"(CONFIG A0, A1, A2 AS INPUT
CONFIG B AS OUTPUT
DIM IA, I0, I1, SW, X, Y, R1, R2, H1, H2, AV, AW, SALTO AS BYTE
DIM FINE AS BYTE
IA = INPUT(A)
I0 = INPUT(A0)
I1 = INPUT(A1)
OUTPUT B, &HF0
SET B0
RESET B7
CLEAR B6
SET A3
SW = &H3C
SWAP BINARY SW
X = 1
Y = 2
SWAP BYTE X, Y
R1 = &H81
CLEAR CARRY
ROTATE LEFT R1, 2
R2 = &H81
SET CARRY
ROTATE RIGHT R2
H1 = &H81
SET CARRY
SHIFT LEFT H1, 3
H2 = &H81
SET FLAG CARRY
SHIFT RIGHT H2
ASM(MOVLW &H2A)
ASM(MOVWF AV)
ASM{
MOVLW 0x17
MOVWF AW
}
GOTO AVANTI
SALTO = 99
AVANTI:
FINE = 1
END
)",
            {{"IA", 0x05}, {"I0", 1}, {"I1", 0}, {"SW", 0xC3}, {"X", 2}, {"Y", 1}, {"R1", 0x05}, {"R2", 0xC0},
             {"H1", 0x08}, {"H2", 0x40}, {"AV", 0x2A}, {"AW", 0x17}, {"SALTO", 0}},
            0x05, 0, 0x0D, 0x31});
}

// WAIT loops take the cycles they promise: timer 0 counts instruction cycles
// and RND reads it between the delays (a read and its MOVWF, two cycles, lie
// between one delay and the next).
TEST(EspressioniSulChip, WaitDelaysAreMeasuredByTheTimer) {
  Verifica({"wait", R"(DIM M0, M1, M2, M3, M4, D1, D2, D3, D4, N AS BYTE
DIM FINE AS BYTE
N = 20
SET INTERNAL CLOCK
M0 = RND
WAIT 3
M1 = RND()
WAIT 50
M2 = RND
WAIT N
M3 = RND
WAIT 2, 10
M4 = RND
D1 = M1 - M0
D2 = M2 - M1
D3 = M3 - M2
D4 = M4 - M3
FINE = 1
END
)",
            // Three NOPs; a loop of n passes takes 2 + 4 (n - 1) + 3 cycles; the
            // double loop reloads the inner count on each outer pass:
            // 2 + (2 + 39 + 1 + 2) + (2 + 39 + 2).
            {{"D1", 2 + 3}, {"D2", 2 + 201}, {"D3", 2 + 81}, {"D4", 2 + 89}}});
}

}  // namespace
}  // namespace velmora::test
