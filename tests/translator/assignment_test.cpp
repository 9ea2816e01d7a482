// Assignments: the number tests and the four-byte constant encoder (the
// emitted lines are in the assign_* goldens, the messages in the errors test).
#include "assignment.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <cstring>

#include "pass_fixture.h"
#include "text.h"

namespace velmora {
namespace {

using namespace passtest;

// The bits of a single-precision value laid out as the encoder writes them:
// exponent byte, sign, 23 mantissa bits.
std::string Riordina(float v) {
  uint32_t bits;
  std::memcpy(&bits, &v, sizeof bits);
  const uint32_t out = (((bits >> 23) & 0xFF) << 24) | ((bits >> 31) << 23) | (bits & 0x7FFFFF);
  char buf[9];
  std::snprintf(buf, sizeof buf, "%08X", out);
  return buf;
}

TEST(Assegnazione, FloatEncodingMatchesSinglePrecisionBits) {
  CompileState st;
  // From 1 up every mantissa bit is kept; so it is for fractions of few binary places.
  for (float v : {1.5f, -2.25f, 1.0f, 255.75f, 3.14159f, -100.1f, 0.5f, 0.375f, 128.0f, 1.1f})
    EXPECT_EQ(ConvertiFloat(st, v), Riordina(v)) << v;
  EXPECT_EQ(ConvertiFloat(st, 0.0), "00000000");
  // Below 1 only 23 fraction places are read: 0.1 (single bits 3DCCCCCD) has
  // its leading one at the fourth, so the last four mantissa bits are lost.
  EXPECT_EQ(ConvertiFloat(st, 0.1f), "7B4CCCC0");
  // No one within 23 places: exponent 0, empty mantissa, the sign kept.
  EXPECT_EQ(ConvertiFloat(st, -1e-9f), "7F800000");
  EXPECT_EQ(Pane(st), "");
  EXPECT_EQ(ConvertiFloat(st, 256.0), "00000000");
  EXPECT_TRUE(st.Flag_Errore);
}

TEST(Assegnazione, IsNumberFollowsTheCanonicalText) {
  struct Row { const char* text; bool want; };
  const Row rows[] = {
      {"12", true},   {"-3", true},   {"1.5", true},   {".5", true},   {"-.5", true},   {"0", true},
      {" 12 ", true}, {"1,5", true},  {"&HZZ", true},  {"012", false}, {"0.5", false},  {"1.50", false},
      {"+3", false},  {"5A", false},  {"-0", false},   {"", false},    {"1E3", false},  {"1.", false},
  };
  for (const auto& r : rows) EXPECT_EQ(IsNumber(r.text), r.want) << "[" << r.text << "]";
}

TEST(Assegnazione, HexOperandoKeepsTheLowByteOfSixteenBits) {
  struct Row { const char* text; const char* want; };
  const Row rows[] = {{"300", "0x2C"}, {"-1", "0xFF"},     {"0", "0"},       {"256", "0x00"},
                      {"2.5", "0x02"}, {"3.5", "0x04"},    {"&HFFFF", "0xFF"}, {"-32768", "0x00"},
                      {"32768", ""},   {"-32769", ""},     {"&H10000", ""}};
  for (const auto& r : rows) {
    CompileState st;
    st.IstruzioneCorrente = "X = Y + " + std::string(r.text);
    EXPECT_EQ(HexOperando(st, r.text), r.want) << r.text;
    EXPECT_EQ(Pane(st), *r.want ? "" : ErrorBlock("Costante numerica non ammessa", st.IstruzioneCorrente));
  }
}

}  // namespace
}  // namespace velmora
