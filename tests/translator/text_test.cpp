// SPDX-License-Identifier: GPL-3.0-or-later
// The BASIC text primitives every pass stands on.
#include "text.h"

#include <gtest/gtest.h>

#include <cmath>
#include <iterator>
#include <utility>
#include <vector>

#include "encoding.h"

namespace velmora::text {
namespace {

TEST(Text, PositionsSubstringsAndPieces) {
  struct Row { std::string_view s, what; int start, want; };
  const Row rows[] = {
      {"IF X = 1 THEN", "=", 1, 6}, {"IF X = 1 THEN", " THEN", 1, 9},
      {"ABCABC", "B", 3, 5},        {"ABC", "Z", 1, 0},
      {"ABC", "C", 4, 0},           {"ABC", "", 2, 2},
      {"", "A", 1, 0},              {"ABC", "A", 0, 1},
  };
  for (const auto& r : rows) EXPECT_EQ(InStr(r.s, r.what, r.start), r.want) << r.s << " / " << r.what;
  EXPECT_EQ(InStrRev("A,B,C", ","), 4);
  EXPECT_EQ(InStrRev("ABC", ","), 0);

  // Each result beside what it must be.
  const std::pair<std::string, std::string> results[] = {
      {Mid("HELLO", 2, 3), "ELL"},  {Mid("HELLO", 4), "LO"},       {Mid("HELLO", 9), ""},
      {Mid("HELLO", 0, 2), "HE"},   {Mid("HELLO", 4, 10), "LO"},   {Left("HELLO", 2), "HE"},
      {Left("HE", 5), "HE"},        {Left("HE", -1), ""},          {Right("HELLO", 2), "LO"},
      {Right("HELLO", 9), "HELLO"}, {Trim("  A B  "), "A B"},      {LTrim("  A "), "A "},
      {RTrim("  A "), "  A"},       {Trim("\tA\t"), "\tA\t"},      {Trim("    "), ""},  // only blanks are trimmed
      {UCase("abc xyz 1\xe8"), "ABC XYZ 1\xe8"},  // only ASCII letters change
  };
  for (size_t k = 0; k < std::size(results); ++k) EXPECT_EQ(results[k].first, results[k].second) << "result " << k;
  const std::vector<std::string> pieces[] = {SplitAtCommas("A, B ,C"), SplitAtCommas(""), SplitAtCommas("A,,B,")};
  EXPECT_EQ(pieces[0], (std::vector<std::string>{"A", " B ", "C"}));
  EXPECT_EQ(pieces[1], (std::vector<std::string>{""}));
  EXPECT_EQ(pieces[2], (std::vector<std::string>{"A", "", "B", ""}));
  EXPECT_TRUE(ContainsAny("X = 1", "=<>"));
  EXPECT_FALSE(ContainsAny("LOOP1", " =,"));
}

TEST(Text, ValReadsTheLeadingNumber) {
  struct Row { std::string_view s; double want; };
  const Row rows[] = {
      {"12", 12},          {"  12", 12},       {"12AB", 12},     {"-3", -3},
      {"+3", 3},           {".5", 0.5},        {"1.50", 1.5},    {"1.2.3", 1.2},
      {"ABC", 0},          {"", 0},            {"-", 0},         {".", 0},
      {"&H1F", 31},        {"&hff", 255},      {"&HFFFF", -1},   {"&H7FFF", 32767},
      {"&H8000", -32768},  {"&H10000", 65536}, {"&H", 0},        {"&HZ", 0},
      {"1E3", 1000},       {"1E", 1},          {"2.5E-1", 0.25}, {"5 6", 5},
      {"&H0000FF", 255},   {"1D2", 100},
  };
  for (const auto& r : rows) EXPECT_DOUBLE_EQ(Val(r.s), r.want) << r.s;
}

TEST(Text, RoundingToSixteenBitsHalvesToEven) {
  struct Row { double v; std::optional<int> want; };
  const Row rows[] = {
      {0.5, 0},       {1.5, 2},          {2.5, 2},          {-0.5, 0},     {-1.5, -2},
      {2.4999, 2},    {2.5001, 3},       {32767, 32767},    {32767.5, std::nullopt},
      {-32768, -32768}, {-32768.5, -32768}, {-32769, std::nullopt}, {NAN, std::nullopt},
  };
  for (const auto& r : rows) EXPECT_EQ(ToInt16(r.v), r.want) << r.v;
}

TEST(Text, CanonicalNumberIsWhatIsNumberComparesWith) {
  struct Row { double v; std::string_view want; };
  const Row rows[] = {
      {12, "12"},     {-3, "-3"},           {1.5, "1.5"},       {0.5, ".5"},
      {-0.25, "-.25"}, {0, "0"},            {100, "100"},       {1e15, "1E+15"},
      {123456789012345.0, "123456789012345"}, {0.1, ".1"},     {1e-5, "1E-05"},
      {0.0001, ".0001"}, {2.0 / 3.0, ".666666666666667"},
  };
  for (const auto& r : rows) EXPECT_EQ(CanonicalNumber(r.v), r.want) << r.v;
}

// (How source files are read, in each encoding and with every line end, is in
// the normalise_cp1252_line_ends and normalise_utf8_bom goldens; a character
// without a code is an errors row.)
TEST(Encoding, TruncatedSequencesAndSurrogatesAreNotUtf8) {
  EXPECT_FALSE(encoding::IsValidUtf8("\xc3"));
  EXPECT_FALSE(encoding::IsValidUtf8("\xed\xa0\x80"));  // a surrogate
}

}  // namespace
}  // namespace velmora::text
