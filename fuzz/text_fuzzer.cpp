// SPDX-License-Identifier: GPL-3.0-or-later
// Drives the BASIC text primitives with arbitrary texts and positions.
//
// The first bytes choose the positions, counts and the split of the rest into
// a text and a pattern. Each primitive is checked against the properties every
// pass relies on: searches return 0 or a position where the pattern really is,
// sub-strings never outgrow their text, trims remove only blanks, and numeric
// reading never produces a value the formatters cannot print.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "encoding.h"
#include "text.h"

namespace {

using namespace velmora::text;

void Require(bool condition) {
  if (!condition) std::abort();
}

int SignedByte(uint8_t b) { return static_cast<int>(static_cast<int8_t>(b)); }

void CheckSearches(std::string_view s, std::string_view what, int start) {
  const int p = InStr(s, what, start);
  Require(p >= 0 && p <= Len(s) + 1);
  if (p > 0) {
    Require(p >= start);
    Require(s.substr(static_cast<size_t>(p - 1), what.size()) == what);
  }
  const int r = InStrRev(s, what);
  Require(r >= 0 && r <= Len(s) + 1);
  if (r > 0) Require(s.substr(static_cast<size_t>(r - 1), what.size()) == what);
  if (!what.empty()) Require((InStr(s, what) == 0) == (r == 0));
}

void CheckSlices(std::string_view s, int start, int len) {
  const std::string m = Mid(s, start, len);
  Require(Len(m) <= Len(s));
  if (len >= 0) Require(Len(m) <= len);
  if (!m.empty()) Require(s.find(m) != std::string_view::npos);
  Require(Len(Left(s, len)) <= Len(s));
  Require(Len(Right(s, len)) <= Len(s));
  const std::string t = Trim(s);
  Require(t.empty() || (t.front() != ' ' && t.back() != ' '));
  Require(LTrim(s).size() >= t.size() && RTrim(s).size() >= t.size());
  Require(UCase(s).size() == s.size());
  Require(CountChar(s, ' ') >= 0 && CountChar(s, ' ') <= Len(s));
  std::string copy(s);
  const std::string what = Left(s, 2);
  const bool replaced = ReplaceFirst(copy, what, "X", start);
  if (replaced) Require(Len(copy) == Len(s) - Len(what) + 1);
}

void CheckNumbers(std::string_view s) {
  const double v = Val(s);
  const auto n = ToInt16(v);
  if (n) Require(*n >= -32768 && *n <= 32767);
  if (std::isfinite(v)) {
    const std::string c = CanonicalNumber(v);
    Require(!c.empty() && c.find(' ') == std::string::npos);
    Require(std::isfinite(RoundHalfEven(v)));
  }
  const long long whole = std::isfinite(v) && std::fabs(v) < 9e18 ? static_cast<long long>(v) : 0;
  Require(!Hex(whole).empty() && !Dec(whole).empty());
}

void CheckEncoding(std::string_view s) {
  const std::string cp = velmora::encoding::SourceBytesToCp1252(s);
  const std::string utf8 = velmora::encoding::Cp1252ToUtf8(cp);
  Require(velmora::encoding::IsValidUtf8(utf8));
  const std::string crlf = velmora::encoding::ToCrLf(s);
  for (size_t i = 0; i < crlf.size(); ++i) {
    if (crlf[i] == '\n') Require(i > 0 && crlf[i - 1] == '\r');
    if (crlf[i] == '\r') Require(i + 1 < crlf.size() && crlf[i + 1] == '\n');
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 4) return 0;
  const int start = SignedByte(data[0]);
  const int len = SignedByte(data[1]);
  const size_t split = data[2] % (size - 3 + 1);
  const std::string_view rest(reinterpret_cast<const char*>(data + 3), size - 3);
  const std::string_view s = rest.substr(0, rest.size() - split);
  const std::string_view what = rest.substr(rest.size() - split);
  CheckSearches(s, what, start);
  CheckSlices(s, start, len);
  CheckNumbers(s);
  CheckEncoding(s);
  return 0;
}
