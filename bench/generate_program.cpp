// SPDX-License-Identifier: GPL-3.0-or-later
// Writes a realistic BASIC program of a chosen size on standard output.
//
//   generate_program BLOCKS
//
// The program declares its variables, a DATA table, CONFIG lines and a timer
// interrupt, then repeats one block of mixed statements BLOCKS times: nested
// FOR/DO/IF, SELECT CASE with values, ranges, lists and BREAK, logical and
// parenthesised expressions, arithmetic with DIV10, EEPROM writes and reads,
// calls of SUBs with and without parameters and GOTO to labels. Every fifth
// block defines one more SUB (at most 40), placed after END. The same
// BLOCKS always gives the same text.
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

std::string Block(int k, int subs) {
  const std::string n = std::to_string(k);
  std::string b;
  b += "' blocco " + n + "\n";
  b += "ETICHETTA" + n + ":\n";
  b += "FOR NI = 1 TO 10\n";
  b += "  DO WHILE NJ < 5\n";
  b += "    IF NJ = 3 THEN\n";
  b += "      NJ = NJ + 2\n";
  b += "    ELSE\n";
  b += "      NJ = NJ + 1\n";
  b += "    END IF\n";
  b += "  LOOP\n";
  b += "  IF NI > 8 THEN BREAK\n";
  b += "NEXT NI\n";
  b += "SELECT CASE NK\n";
  b += "CASE 1: NK = 2\n";
  b += "CASE 3 TO 5\n";
  b += "  IF VX = 4 THEN BREAK\n";
  b += "  VX = VX + " + std::to_string(k % 50 + 1) + "\n";
  b += "CASE 10, 20, 30\n";
  b += "  VY = VY - 1\n";
  b += "CASE IS > 200\n";
  b += "  VY = 0\n";
  b += "CASE ELSE\n";
  b += "  NK = 0\n";
  b += "END SELECT\n";
  b += "VY = (LP AND LQ) OR NOT(LR)\n";
  b += "VZ = VX XOR &H0F\n";
  b += "IF (LP AND LQ) = 1 THEN\n";
  b += "  VX = DIV10(VX)\n";
  b += "  VZ = VX + VY\n";
  b += "END IF\n";
  b += "DO\n";
  b += "  VX = VX + 1\n";
  b += "LOOP UNTIL VX > 20\n";
  b += "WRITE VX, " + std::to_string(k % 60) + "\n";
  b += "VY = READ(" + std::to_string(k % 60) + ")\n";
  b += "NW = GETDATA(" + std::to_string(k % 8 + 1) + ")\n";
  if (subs > 0) {
    const int s = k % subs + 1;
    b += s % 2 ? "CALL AGGIORNA" + std::to_string(s) + "(VX)\n" : "CALL AGGIORNA" + std::to_string(s) + "\n";
  }
  b += "IF VX = 100 THEN GOTO ETICHETTA" + n + "\n";
  return b;
}

std::string Sub(int s) {
  const std::string n = std::to_string(s);
  std::string b;
  if (s % 2) {
    b += "SUB AGGIORNA" + n + "(PV)\n";
    b += "  IF PV > " + std::to_string(s) + " THEN\n";
    b += "    PV = PV - 1\n";
    b += "  END IF\n";
  } else {
    b += "SUB AGGIORNA" + n + "\n";
    b += "  FOR NH = 1 TO 3\n";
    b += "    VZ = VZ + NH\n";
    b += "  NEXT NH\n";
  }
  b += "  SHIFT LEFT VZ, 1\n";
  b += "END SUB\n";
  return b;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "uso: generate_program BLOCCHI\n");
    return 2;
  }
  const int blocks = std::atoi(argv[1]);
  const int subs = blocks / 5 < 40 ? blocks / 5 : 40;
  std::string p;
  p += "' Programma generato: " + std::to_string(blocks) + " blocchi\n";
  p += "CONST LIMITE = 200\n";
  p += "SYMBOL LED = B3\n";
  p += "DIM NI, NJ, NK, NH, PV, NW, VX, VY, VZ AS BYTE\n";
  p += "DIM LP, LQ, LR AS BYTE\n";
  p += "CONFIG B0 AS INPUT\n";
  p += "CONFIG A AS OUTPUT\n";
  p += "DATA 1, 2, 3, 5, 8, 13, 21, \"Ok\"\n";
  p += "ON TIMER INTERRUPT CALL TEMPO\n";
  p += "SET TIMER RATE TO 3\n";
  for (int k = 1; k <= blocks; ++k) p += Block(k, subs);
  p += "IF VX = LIMITE THEN SET LED\n";
  p += "END\n";
  p += "SUB TEMPO\n  NK = NK + 1\nEND SUB\n";
  for (int s = 1; s <= subs; ++s) p += Sub(s);
  std::fputs(p.c_str(), stdout);
  return 0;
}
