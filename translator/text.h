// SPDX-License-Identifier: GPL-3.0-or-later
// BASIC text primitives.
//
// Every pass of the translator is written in terms of these few operations,
// with the semantics of the dialect's own string functions: positions are
// 1-based, a search that finds nothing returns 0, sub-strings clamp to the
// text, and numbers are read from the leading part of a text. Characters are
// single bytes (Windows-1252, see encoding.h).
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace velmora::text {

// Position (1-based) of the first `what` in `s` at or after `start`; 0 when absent.
int InStr(std::string_view s, std::string_view what, int start = 1);
// Position (1-based) of the last `what` in `s`; 0 when absent.
int InStrRev(std::string_view s, std::string_view what);

// `len` characters of `s` from 1-based `start` (to the end when len < 0).
std::string Mid(std::string_view s, int start, int len = -1);
std::string Left(std::string_view s, int n);
std::string Right(std::string_view s, int n);
// Length as a signed count, so loop arithmetic stays in int.
inline int Len(std::string_view s) { return static_cast<int>(s.size()); }

// Blank trims: only the space character counts, as in the dialect.
std::string Trim(std::string_view s);
std::string LTrim(std::string_view s);
std::string RTrim(std::string_view s);

std::string UCase(std::string_view s);
bool StartsWith(std::string_view s, std::string_view prefix);
bool EndsWith(std::string_view s, std::string_view suffix);

// Replaces the first occurrence of `what` (searching from 1-based `start`); false when none.
bool ReplaceFirst(std::string& s, std::string_view what, std::string_view with, int start = 1);
// The pieces of a comma-separated text, untrimmed: "a, b" gives "a" and " b";
// a text without commas is one piece (the empty text one empty piece).
std::vector<std::string> SplitAtCommas(std::string_view s);
// Calls f(index, line) for each line of `text` ended by CR LF, from index 0;
// the text after the last CR LF (empty when the text ends with one) comes
// last. The lines are views into `text`.
template <class F>
void ForEachLine(std::string_view text, F f) {
  size_t from = 0;
  for (size_t index = 0;; ++index) {
    const size_t to = text.find("\r\n", from);
    f(index, text.substr(from, to == std::string_view::npos ? std::string_view::npos : to - from));
    if (to == std::string_view::npos) return;
    from = to + 2;
  }
}
// `s` holds at least one of `chars`.
bool ContainsAny(std::string_view s, std::string_view chars);
// Number of occurrences of character `c`.
int CountChar(std::string_view s, char c);

// Numeric reading of the leading number of a text: leading blanks skipped,
// "&H" hexadecimal (four digits or fewer read as a signed 16-bit value,
// more as a signed 32-bit value), otherwise an optional sign, digits, one
// decimal point and an exponent; reading stops at the first character that
// is not part of a number; no number gives 0.
double Val(std::string_view s);

// Rounds to the nearest integer, halves to the even neighbour, and checks the
// signed 16-bit range. Empty when the value does not fit.
std::optional<int> ToInt16(double v);
// Rounds half to even without a range check.
double RoundHalfEven(double v);

// Canonical decimal text of a value: no blanks, "-" for negatives, no leading
// zeros, no "0" before the point of a value below 1, no trailing zeros, at
// most 15 significant digits; exponent form ("1E+20") outside the plain range.
std::string CanonicalNumber(double v);

// Upper-case hexadecimal digits of a value without leading zeros ("0" for 0);
// negative values give the digits of their 32-bit two's complement.
std::string Hex(long long v);

// Decimal text of an integer.
std::string Dec(long long v);

}  // namespace velmora::text
