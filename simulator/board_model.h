// SPDX-License-Identifier: GPL-3.0-or-later
// The board on the bench ("Scheda"): the parts placed on the chip's lines
// and the file that keeps them beside the program, PROGRAMMA.scheda.
//
// The file is UTF-8 text, LF or CR LF; the first line is the version line
// "velmora-scheda 1"; blank lines and lines starting with # are ignored.
// Every other line is one part: its kind, its place on the board (X Y in
// pixels), then its lines and options, separated by blanks:
//
//   led X Y LINEA [basso]             lit when the line is high (basso: low)
//   barra X Y PORTA                   8 LEDs on port A or B, bit 0 on the right
//   pulsante X Y LINEA [premuto=0|1] [rimbalzo=MS]
//                                     momentary; the level while pressed
//                                     (default 1; released: the other one)
//   interruttore X Y LINEA            a switch that stays where it is put
//   dip X Y PORTA                     8 switches on port A or B
//   display X Y catodo|anodo a=L b=L c=L d=L e=L f=L g=L [dp=L] [cifre=L,L,...]
//                                     a 7-segment display of 1 to 4 digits:
//                                     the segments' lines, and with several
//                                     digits the line that selects each one
//                                     (low selects a common-cathode digit,
//                                     high a common-anode one)
//   tono X Y LINEA                    shows the frequency a line toggles at
//
// Mistakes are refused with "FILE:RIGA: messaggio". The file is written
// through a temporary file renamed over it.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "gpsim_protocol.h"

namespace velmora::simulator {

struct BoardPart {
  enum class Kind { Led, Bar, Button, Switch, Dip, Display, Tone };
  Kind kind = Kind::Led;
  int x = 0, y = 0;
  toolchain::Pin pin;        // Led, Button, Switch, Tone
  char port = 'B';           // Bar, Dip
  bool activeHigh = true;    // Led: lit on high; Button: pressed level
  int bounceMs = 0;          // Button
  bool commonAnode = false;  // Display
  std::array<std::optional<toolchain::Pin>, 8> segments;  // a..g, dp
  std::vector<toolchain::Pin> digits;                      // Display: select lines (empty: one digit)
  bool switchedOn = false;   // Switch state (not saved)
  std::uint8_t dipState = 0; // Dip state (not saved)

  // The lines the part drives (inputs of the chip) and reads.
  std::vector<toolchain::Pin> drivenPins() const;
  std::vector<toolchain::Pin> readPins() const;
};

struct Board {
  std::vector<BoardPart> parts;
};

struct BoardError {
  std::string file;
  int line = 0;
  std::string message;
  std::string Text() const { return line > 0 ? file + ":" + std::to_string(line) + ": " + message : file + ": " + message; }
};

// Parses a board file's text; `fileName` names it in the error.
std::optional<Board> ParseBoard(const std::string& text, const std::string& fileName, BoardError& error);
std::string BoardText(const Board& board);
// Reads `path`; a missing file is an empty board (no error).
std::optional<Board> ReadBoardFile(const std::string& path, BoardError& error);
// Writes through a temporary file beside `path`, renamed over it.
bool WriteBoardFile(const std::string& path, const Board& board, std::string& error);

// The board file of a program: PROGRAMMA.bas (or its .cod) -> PROGRAMMA.scheda.
std::string BoardPathFor(const std::string& programPath);

// The level of a line from the port registers: PORTA at 0x05, PORTB at 0x06.
bool PinHigh(toolchain::Pin pin, int portA, int portB);
// The segments a..g, dp lit on a display digit, as bits 0..7: a segment is
// lit when its line is high (common cathode) or low (common anode).
std::uint8_t LitSegments(const BoardPart& display, int portA, int portB);
// The decimal digit a..g show (the usual patterns, 7 with or without f),
// nothing for any other pattern.
std::optional<int> DecodeDigit(std::uint8_t segments);
// A digit's select line is active when low for common cathode (the digit's
// cathode pulled down) and high for common anode.
bool DigitSelected(const BoardPart& display, size_t digit, int portA, int portB);

}  // namespace velmora::simulator
