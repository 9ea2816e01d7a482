// SPDX-License-Identifier: GPL-3.0-or-later
#include "board_model.h"

#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace velmora::simulator {

namespace {

namespace fs = std::filesystem;
using toolchain::Pin;

constexpr const char* kVersionLine = "velmora-scheda 1";
constexpr const char* kSegmentNames[] = {"a", "b", "c", "d", "e", "f", "g", "dp"};

struct KindName {
  BoardPart::Kind kind;
  const char* name;
};
constexpr KindName kKinds[] = {{BoardPart::Kind::Led, "led"},         {BoardPart::Kind::Bar, "barra"},
                               {BoardPart::Kind::Button, "pulsante"}, {BoardPart::Kind::Switch, "interruttore"},
                               {BoardPart::Kind::Dip, "dip"},         {BoardPart::Kind::Display, "display"},
                               {BoardPart::Kind::Tone, "tono"}};

std::string Lower(std::string s) {
  for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return s;
}

std::string PinText(Pin p) { return std::string(1, p.port) + std::to_string(p.bit); }

std::optional<int> Whole(const std::string& text) {
  if (text.empty() || text.size() > 6) return std::nullopt;
  size_t start = text[0] == '-' ? 1 : 0;
  if (start == text.size()) return std::nullopt;
  for (size_t i = start; i < text.size(); ++i)
    if (!std::isdigit(static_cast<unsigned char>(text[i]))) return std::nullopt;
  return std::stoi(text);
}

}  // namespace

std::vector<Pin> BoardPart::drivenPins() const {
  switch (kind) {
    case Kind::Button:
    case Kind::Switch:
      return {pin};
    case Kind::Dip: {
      std::vector<Pin> pins;
      for (int bit = 0; bit < (port == 'A' ? 5 : 8); ++bit) pins.push_back({port, bit});
      return pins;
    }
    default:
      return {};
  }
}

std::vector<Pin> BoardPart::readPins() const {
  std::vector<Pin> pins;
  switch (kind) {
    case Kind::Led:
    case Kind::Tone:
      return {pin};
    case Kind::Bar:
      for (int bit = 0; bit < (port == 'A' ? 5 : 8); ++bit) pins.push_back({port, bit});
      return pins;
    case Kind::Display:
      for (const auto& s : segments)
        if (s) pins.push_back(*s);
      pins.insert(pins.end(), digits.begin(), digits.end());
      return pins;
    default:
      return {};
  }
}

std::optional<Board> ParseBoard(const std::string& text, const std::string& fileName, BoardError& error) {
  Board board;
  std::string body = text;
  if (body.rfind("\xEF\xBB\xBF", 0) == 0) body.erase(0, 3);
  std::istringstream in(body);
  std::string raw;
  int number = 0;
  const auto fail = [&](const std::string& message) -> std::optional<Board> {
    error = BoardError{fileName, number, message};
    return std::nullopt;
  };
  bool version = false;
  while (std::getline(in, raw)) {
    ++number;
    if (!raw.empty() && raw.back() == '\r') raw.pop_back();
    std::istringstream words(raw);
    std::vector<std::string> w;
    for (std::string word; words >> word;) w.push_back(word);
    if (w.empty() || w[0][0] == '#') continue;
    if (!version) {
      if (raw != kVersionLine) return fail(std::string("la prima riga deve essere \"") + kVersionLine + "\"");
      version = true;
      continue;
    }
    BoardPart part;
    const std::string kind = Lower(w[0]);
    const auto known = std::find_if(std::begin(kKinds), std::end(kKinds), [&](const KindName& k) { return kind == k.name; });
    if (known == std::end(kKinds))
      return fail("parte sconosciuta: " + w[0] + " (led, barra, pulsante, interruttore, dip, display, tono)");
    part.kind = known->kind;
    const auto x = w.size() > 1 ? Whole(w[1]) : std::nullopt, y = w.size() > 2 ? Whole(w[2]) : std::nullopt;
    if (!x || !y || *x < 0 || *y < 0 || *x > 10000 || *y > 10000)
      return fail("posizione non valida per " + kind + ": servono due numeri X Y da 0 a 10000");
    part.x = *x;
    part.y = *y;
    size_t next = 3;
    const auto linea = [&]() -> std::optional<Pin> {
      if (next >= w.size()) return std::nullopt;
      return toolchain::ParsePin(w[next++]);
    };
    switch (part.kind) {
      case BoardPart::Kind::Led:
      case BoardPart::Kind::Button:
      case BoardPart::Kind::Switch:
      case BoardPart::Kind::Tone: {
        const auto p = linea();
        if (!p) return fail("linea non valida per " + kind + " (da A0 ad A4 o da B0 a B7)");
        part.pin = *p;
        break;
      }
      case BoardPart::Kind::Bar:
      case BoardPart::Kind::Dip: {
        const std::string port = next < w.size() ? Lower(w[next++]) : "";
        if (port != "a" && port != "b") return fail("porta non valida per " + kind + ": A o B");
        part.port = static_cast<char>(std::toupper(port[0]));
        break;
      }
      case BoardPart::Kind::Display: {
        const std::string common = next < w.size() ? Lower(w[next++]) : "";
        if (common != "catodo" && common != "anodo") return fail("display: manca catodo o anodo (il comune)");
        part.commonAnode = common == "anodo";
        break;
      }
    }
    for (; next < w.size(); ++next) {
      const std::string option = Lower(w[next]);
      const auto eq = option.find('=');
      const std::string key = option.substr(0, eq), value = eq == std::string::npos ? "" : option.substr(eq + 1);
      if (part.kind == BoardPart::Kind::Led && option == "basso") {
        part.activeHigh = false;
      } else if (part.kind == BoardPart::Kind::Button && key == "premuto" && (value == "0" || value == "1")) {
        part.activeHigh = value == "1";
      } else if (part.kind == BoardPart::Kind::Button && key == "rimbalzo" && Whole(value) && *Whole(value) >= 0 &&
                 *Whole(value) <= 100) {
        part.bounceMs = *Whole(value);
      } else if (part.kind == BoardPart::Kind::Display && key == "cifre") {
        std::istringstream list(value);
        for (std::string item; std::getline(list, item, ',');) {
          const auto p = toolchain::ParsePin(item);
          if (!p) return fail("linea di selezione non valida: " + item);
          part.digits.push_back(*p);
        }
        if (part.digits.size() < 2 || part.digits.size() > 4) return fail("display: da 2 a 4 linee in cifre=, una per cifra");
      } else if (part.kind == BoardPart::Kind::Display &&
                 std::find(std::begin(kSegmentNames), std::end(kSegmentNames), key) != std::end(kSegmentNames)) {
        const auto p = toolchain::ParsePin(value);
        if (!p) return fail("linea non valida per il segmento " + key + ": " + value);
        const auto index = std::find(std::begin(kSegmentNames), std::end(kSegmentNames), key) - std::begin(kSegmentNames);
        part.segments[static_cast<size_t>(index)] = p;
      } else {
        return fail("opzione non valida per " + kind + ": " + w[next]);
      }
    }
    if (part.kind == BoardPart::Kind::Display)
      for (int s = 0; s < 7; ++s)
        if (!part.segments[static_cast<size_t>(s)])
          return fail(std::string("display: manca la linea del segmento ") + kSegmentNames[s]);
    board.parts.push_back(part);
  }
  if (!version) {
    number = 0;
    return fail(std::string("manca la riga \"") + kVersionLine + "\"");
  }
  return board;
}

std::string BoardText(const Board& board) {
  std::string out = std::string(kVersionLine) + "\n";
  for (const BoardPart& p : board.parts) {
    const auto kind = std::find_if(std::begin(kKinds), std::end(kKinds), [&](const KindName& k) { return k.kind == p.kind; });
    out += std::string(kind->name) + " " + std::to_string(p.x) + " " + std::to_string(p.y);
    switch (p.kind) {
      case BoardPart::Kind::Led:
        out += " " + PinText(p.pin) + (p.activeHigh ? "" : " basso");
        break;
      case BoardPart::Kind::Button:
        out += " " + PinText(p.pin) + " premuto=" + (p.activeHigh ? "1" : "0");
        if (p.bounceMs > 0) out += " rimbalzo=" + std::to_string(p.bounceMs);
        break;
      case BoardPart::Kind::Switch:
      case BoardPart::Kind::Tone:
        out += " " + PinText(p.pin);
        break;
      case BoardPart::Kind::Bar:
      case BoardPart::Kind::Dip:
        out += std::string(" ") + p.port;
        break;
      case BoardPart::Kind::Display:
        out += p.commonAnode ? " anodo" : " catodo";
        for (size_t s = 0; s < 8; ++s)
          if (p.segments[s]) out += std::string(" ") + kSegmentNames[s] + "=" + PinText(*p.segments[s]);
        if (!p.digits.empty()) {
          out += " cifre=";
          for (size_t d = 0; d < p.digits.size(); ++d) out += (d ? "," : "") + PinText(p.digits[d]);
        }
        break;
    }
    out += "\n";
  }
  return out;
}

std::optional<Board> ReadBoardFile(const std::string& path, BoardError& error) {
  std::error_code ec;
  if (!fs::exists(path, ec)) return Board{};
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    error = BoardError{path, 0, "impossibile leggere il file"};
    return std::nullopt;
  }
  std::ostringstream text;
  text << in.rdbuf();
  return ParseBoard(text.str(), path, error);
}

bool WriteBoardFile(const std::string& path, const Board& board, std::string& error) {
  const fs::path target(path);
  const std::string temporary = (target.parent_path() / ("." + target.filename().string() + ".tmp")).string();
  const std::string text = BoardText(board);
  std::FILE* f = std::fopen(temporary.c_str(), "wb");
  bool ok = f && std::fwrite(text.data(), 1, text.size(), f) == text.size();
  ok = f && std::fflush(f) == 0 && ::fsync(fileno(f)) == 0 && ok;
  if (f && std::fclose(f) != 0) ok = false;
  std::error_code ec;
  if (ok) fs::rename(temporary, target, ec);
  if (!ok || ec) {
    error = "impossibile scrivere " + path + ": " + (ec ? ec.message() : std::string(std::strerror(errno)));
    ::unlink(temporary.c_str());
    return false;
  }
  return true;
}

std::string BoardPathFor(const std::string& programPath) {
  fs::path p(programPath);
  p.replace_extension(".scheda");
  return p.string();
}

bool PinHigh(Pin pin, int portA, int portB) {
  const int value = pin.port == 'A' ? portA : portB;
  return value >= 0 && ((value >> pin.bit) & 1);
}

std::uint8_t LitSegments(const BoardPart& display, int portA, int portB) {
  std::uint8_t lit = 0;
  for (size_t s = 0; s < 8; ++s)
    if (display.segments[s] && PinHigh(*display.segments[s], portA, portB) != display.commonAnode)
      lit = static_cast<std::uint8_t>(lit | (1u << s));
  return lit;
}

std::optional<int> DecodeDigit(std::uint8_t segments) {
  // a=bit0 ... g=bit6; the decimal point does not count.
  static constexpr std::uint8_t kDigits[] = {0x3F, 0x06, 0x5B, 0x4F, 0x66, 0x6D, 0x7D, 0x07, 0x7F, 0x6F};
  const std::uint8_t pattern = segments & 0x7F;
  for (int d = 0; d < 10; ++d)
    if (kDigits[d] == pattern) return d;
  if (pattern == 0x27) return 7;  // 7 drawn with f
  if (pattern == 0x7C) return 6;  // 6 without a
  if (pattern == 0x67) return 9;  // 9 without d
  return std::nullopt;
}

bool DigitSelected(const BoardPart& display, size_t digit, int portA, int portB) {
  if (display.digits.empty()) return digit == 0;
  if (digit >= display.digits.size()) return false;
  return PinHigh(display.digits[digit], portA, portB) == display.commonAnode;
}

}  // namespace velmora::simulator
