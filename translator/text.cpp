// SPDX-License-Identifier: GPL-3.0-or-later
#include "text.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace velmora::text {

int InStr(std::string_view s, std::string_view what, int start) {
  if (start < 1) start = 1;
  if (start > Len(s) + 1) return 0;
  if (what.empty()) return start;
  const auto from = static_cast<size_t>(start - 1);
  if (what.size() > 1 && what[0] == ' ') {
    // Blanks are the commonest character of a line: search for the rest of
    // `what` and check the blank before it (far fewer false starts).
    const std::string_view rest = what.substr(1);
    for (size_t pos = s.find(rest, from + 1); pos != std::string_view::npos; pos = s.find(rest, pos + 1))
      if (s[pos - 1] == ' ') return static_cast<int>(pos);
    return 0;
  }
  const auto pos = s.find(what, from);
  return pos == std::string_view::npos ? 0 : static_cast<int>(pos) + 1;
}

int InStrRev(std::string_view s, std::string_view what) {
  if (what.empty()) return Len(s);
  const auto pos = s.rfind(what);
  return pos == std::string_view::npos ? 0 : static_cast<int>(pos) + 1;
}

std::string Mid(std::string_view s, int start, int len) {
  if (start < 1) start = 1;
  if (start > Len(s) || len == 0) return {};
  const auto from = static_cast<size_t>(start - 1);
  if (len < 0) return std::string(s.substr(from));
  return std::string(s.substr(from, static_cast<size_t>(len)));
}

std::string Left(std::string_view s, int n) {
  if (n <= 0) return {};
  return std::string(s.substr(0, static_cast<size_t>(n)));
}

std::string Right(std::string_view s, int n) {
  if (n <= 0) return {};
  if (n >= Len(s)) return std::string(s);
  return std::string(s.substr(s.size() - static_cast<size_t>(n)));
}

std::string LTrim(std::string_view s) {
  const auto p = s.find_first_not_of(' ');
  return p == std::string_view::npos ? std::string() : std::string(s.substr(p));
}

std::string RTrim(std::string_view s) {
  const auto p = s.find_last_not_of(' ');
  return p == std::string_view::npos ? std::string() : std::string(s.substr(0, p + 1));
}

std::string Trim(std::string_view s) { return LTrim(RTrim(s)); }

std::string UCase(std::string_view s) {
  std::string r(s);
  for (char& c : r)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  return r;
}

bool StartsWith(std::string_view s, std::string_view prefix) {
  return s.substr(0, prefix.size()) == prefix;
}

bool EndsWith(std::string_view s, std::string_view suffix) {
  return s.size() >= suffix.size() && s.substr(s.size() - suffix.size()) == suffix;
}

bool ReplaceFirst(std::string& s, std::string_view what, std::string_view with, int start) {
  const int p = InStr(s, what, start);
  if (p == 0) return false;
  s.replace(static_cast<size_t>(p - 1), what.size(), with);
  return true;
}

int CountChar(std::string_view s, char c) {
  int n = 0;
  for (char x : s) n += (x == c);
  return n;
}

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

}  // namespace

double Val(std::string_view s) {
  size_t i = 0;
  while (i < s.size() && (s[i] == ' ' || s[i] == '\t')) ++i;
  if (i + 1 < s.size() && s[i] == '&' && (s[i + 1] == 'H' || s[i + 1] == 'h')) {
    i += 2;
    unsigned long long v = 0;
    int digits = 0;
    // Leading zeros do not count towards the width of the value.
    while (i < s.size() && HexDigit(s[i]) >= 0) {
      if (digits > 0 || s[i] != '0') ++digits;
      if (digits <= 16) v = v * 16 + static_cast<unsigned>(HexDigit(s[i]));
      ++i;
    }
    if (digits <= 4) {
      long long x = static_cast<long long>(v);
      return static_cast<double>(x > 32767 ? x - 65536 : x);
    }
    if (digits <= 8) {
      long long x = static_cast<long long>(v);
      return static_cast<double>(x > 2147483647LL ? x - 4294967296LL : x);
    }
    return static_cast<double>(v);
  }
  // Collect the longest prefix that forms a decimal number.
  std::string num;
  size_t j = i;
  if (j < s.size() && (s[j] == '+' || s[j] == '-')) num += s[j++];
  bool mant = false;
  while (j < s.size() && IsDigit(s[j])) { num += s[j++]; mant = true; }
  if (j < s.size() && s[j] == '.') {
    num += s[j++];
    while (j < s.size() && IsDigit(s[j])) { num += s[j++]; mant = true; }
  }
  if (!mant) return 0.0;
  if (j < s.size() && (s[j] == 'E' || s[j] == 'e' || s[j] == 'D' || s[j] == 'd')) {
    size_t k = j + 1;
    std::string ex = "e";
    if (k < s.size() && (s[k] == '+' || s[k] == '-')) ex += s[k++];
    bool expDigits = false;
    while (k < s.size() && IsDigit(s[k])) { ex += s[k++]; expDigits = true; }
    if (expDigits) num += ex;
  }
  const double v = std::strtod(num.c_str(), nullptr);
  return std::isfinite(v) ? v : 0.0;
}

double RoundHalfEven(double v) {
  if (!std::isfinite(v)) return v;
  const double fl = std::floor(v);
  const double diff = v - fl;
  if (diff < 0.5) return fl;
  if (diff > 0.5) return fl + 1.0;
  return std::fmod(fl, 2.0) == 0.0 ? fl : fl + 1.0;
}

std::optional<int> ToInt16(double v) {
  if (!std::isfinite(v)) return std::nullopt;
  const double r = RoundHalfEven(v);
  if (r < -32768.0 || r > 32767.0) return std::nullopt;
  return static_cast<int>(r);
}

std::string CanonicalNumber(double v) {
  if (v == 0.0 || !std::isfinite(v)) return "0";
  char buf[64];
  std::snprintf(buf, sizeof buf, "%.15g", v);
  std::string r = buf;
  const auto e = r.find('e');
  std::string mant = e == std::string::npos ? r : r.substr(0, e);
  std::string exp = e == std::string::npos ? std::string() : r.substr(e + 1);
  if (StartsWith(mant, "0.")) mant.erase(0, 1);
  else if (StartsWith(mant, "-0.")) mant.erase(1, 1);
  if (exp.empty()) return mant;
  // Exponent form: "E", sign, at least two digits.
  const char sign = exp[0] == '-' ? '-' : '+';
  std::string digits = exp.substr(exp[0] == '-' || exp[0] == '+' ? 1 : 0);
  while (digits.size() > 2 && digits[0] == '0') digits.erase(0, 1);
  return mant + "E" + sign + digits;
}

std::string Hex(long long v) {
  unsigned long long u = v < 0 ? static_cast<unsigned long long>(v) & 0xFFFFFFFFULL
                               : static_cast<unsigned long long>(v);
  if (u == 0) return "0";
  std::string r;
  while (u) {
    r.insert(r.begin(), "0123456789ABCDEF"[u & 15]);
    u >>= 4;
  }
  return r;
}

std::string Dec(long long v) { return std::to_string(v); }

std::vector<std::string> SplitAtCommas(std::string_view s) {
  std::vector<std::string> pieces;
  size_t from = 0;
  for (size_t c = s.find(','); c != std::string_view::npos; c = s.find(',', from)) {
    pieces.emplace_back(s.substr(from, c - from));
    from = c + 1;
  }
  pieces.emplace_back(s.substr(from));
  return pieces;
}

bool ContainsAny(std::string_view s, std::string_view chars) {
  return s.find_first_of(chars) != std::string_view::npos;
}

}  // namespace velmora::text
