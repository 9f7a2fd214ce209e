// The number commands' building blocks: the random generator, decimal places and list
// statistics; and the verbs that store into variables, run as scripts.
#include <gtest/gtest.h>

#include <cfenv>
#include <cmath>
#include <string>
#include <vector>

#include "engine/number.h"
#include "library/math/decimal_places.h"
#include "library/math/statistics.h"
#include "library/random.h"
#include "tests/unit/script_runner.h"

namespace pirune {
namespace {

TEST(TRandom, FirstValuesForSeed123) {
  // xoshiro128++ seeded by two splitmix64 outputs, low word first; the values come from
  // the published reference algorithms run outside this project.
  TRandom r(123);
  const std::uint32_t expected[] = {0xd31d4b59, 0xc9692c26, 0xc95ca0b4, 0xa7ef8f4a, 0x705dd045, 0x8f615b9d};
  for (std::uint32_t e : expected) EXPECT_EQ(r.Next(), e);
}

TEST(TRandom, ReseedingRepeatsTheSequence) {
  TRandom r(7);
  std::uint32_t a = r.Next(), b = r.Next();
  r.Seed(7);
  EXPECT_EQ(r.Next(), a);
  EXPECT_EQ(r.Next(), b);
}

// Pearson's statistic of `draws` values below n, counted in `buckets` equal classes.
double ChiSquare(std::uint32_t n, int buckets, int draws) {
  TRandom r(123);
  std::vector<int> count(buckets);
  for (int i = 0; i < draws; ++i) {
    std::uint32_t v = r.Below(n);
    EXPECT_LT(v, n);
    ++count[static_cast<std::size_t>(std::uint64_t{v} * buckets / n)];
  }
  double expected = static_cast<double>(draws) / buckets, chi = 0;
  for (int c : count) chi += (c - expected) * (c - expected) / expected;
  return chi;
}

TEST(TRandom, BelowIsUniform) {
  // Bounds at p = 0.001 for buckets − 1 degrees of freedom.
  struct Case {
    std::uint32_t n;
    int buckets;
    double bound;
  } cases[] = {{2, 2, 10.83}, {6, 6, 20.52}, {10, 10, 27.88}, {100, 100, 148.23}, {2147483647u, 16, 37.70},
               // 3 × 2^30: a plain remainder would favour the lower third twice over
               {3221225472u, 3, 13.82}};
  for (const Case& c : cases) EXPECT_LT(ChiSquare(c.n, c.buckets, 200000), c.bound) << c.n;
}

TEST(TRandom, UnitHas53Bits) {
  TRandom r(1);
  for (int i = 0; i < 1000; ++i) {
    double u = r.Unit();
    ASSERT_GE(u, 0.0);
    ASSERT_LT(u, 1.0);
    double scaled = u * 0x1.0p53;
    ASSERT_EQ(scaled, std::floor(scaled));
  }
}

TEST(ToDecimalPlaces, Table) {
  struct Case {
    const char* a;
    std::int64_t places;
    const char* truncated;
    const char* rounded;
  } cases[] = {
      {"3.14159", 2, "3.14", "3.14"},      {"9.23", 2, "9.23", "9.23"},          {"1.009", 3, "1.009", "1.009"},
      {"2.675", 2, "2.67", "2.68"},        {"0.125", 2, "0.12", "0.12"},         {"0.135", 2, "0.13", "0.14"},
      {"-2.675", 2, "-2.67", "-2.68"},     {"1234", -2, "1200", "1200"},         {"1250", -2, "1200", "1200"},
      {"1350", -2, "1300", "1400"},        {"0.5", 0, "0", "0"},                 {"0.51", 0, "0", "1"},
      {"0.04", -1, "0", "0"},              {"123.456", 40, "123.456", "123.456"}, {"5E-4930", 4931, "5E-4930", "5E-4930"},
      {"1.0E4000", -3999, "1E4000", "1E4000"}, {"1.5E4000", -4000, "1E4000", "2E4000"}, {"0", 5, "0", "0"},
  };
  for (const Case& c : cases) {
    Number a = StrToValue(c.a);
    EXPECT_EQ(FormatNumber(ToDecimalPlaces(a, c.places, TPlaces::Truncate)), c.truncated) << c.a << " " << c.places;
    EXPECT_EQ(FormatNumber(ToDecimalPlaces(a, c.places, TPlaces::HalfEven)), c.rounded) << c.a << " " << c.places;
  }
}

TEST(RoundHalfEven, Table) {
  struct Case {
    Number n, rounded;
  } cases[] = {{2.5L, 2}, {3.5L, 4}, {-2.5L, -2}, {-3.5L, -4}, {2.4999L, 2}, {-0.5L, 0}, {7, 7}};
  for (const Case& c : cases) EXPECT_EQ(RoundHalfEven(c.n), c.rounded) << static_cast<double>(c.n);
}

TEST(Statistics, ListsAndTwoPassVariance) {
  EXPECT_EQ(ListNumbers(""), std::vector<Number>{0});
  // Full-width digits and a line of a full-width blank, dropped.
  EXPECT_EQ(ListNumbers(" 1\r\n\r\n\x81\x40\n\x82\x51 \r3"), (std::vector<Number>{1, 2, 3}));
  EXPECT_EQ(ListVariance({7}), 0);
  // Values far from 0 and close together: Σx² − (Σx)²/n cancels to noise (even below 0).
  std::vector<Number> close;
  for (int i = 0; i < 1000; ++i) close.push_back(1e12L + (i % 2));
  EXPECT_NEAR(static_cast<double>(ListVariance(close)), 0.25025025, 1e-6);
  EXPECT_EQ(ListMean(close), 1e12L + 0.5L);
  // A sum past the range overflows; what does not need it is still computed.
  std::vector<Number> huge = {1e4930L, 1.1e4932L, -1e4932L};
  EXPECT_EQ(static_cast<double>(ListSum(huge) / 1e4931L), 1.1);
  EXPECT_THROW(ListVariance(huge), Exception);
  EXPECT_THROW(ListSum({1e4932L, 1e4932L}), Exception);
}

// Each script shows its results; the errors it meets are in the host's log.
std::vector<std::string> Shown(const std::string& script) {
  testing::Script s(script);
  s.Run();
  return s.host.shown;
}

// Truncation is done by rounding and stepping back, so it must agree with trunc() in
// every rounding mode a DLL might leave the unit in, on both sides of the halves.
TEST(TruncatedInt64, AgreesWithTruncInEveryRoundingMode) {
  const Number cases[] = {0.0L, -0.0L, 0.5L, -0.5L, 1.0L, 2.5L, 2.7L, -2.5L, -2.7L, 3.5L, -3.5L,
                          0.9999999999999999L, 2.9999999999999999999L, -2.9999999999999999999L,
                          1e15L + 0.5L, -1e15L - 0.5L, 4503599627370495.5L, -4503599627370495.75L,
                          4503599627370496.5L, 4611686018427387903.5L,
                          4611686018427387904.0L, 9223372036854775807.0L, -9223372036854775808.0L,
                          -9223372036854775808.5L};
  const int modes[] = {FE_TONEAREST, FE_DOWNWARD, FE_UPWARD, FE_TOWARDZERO};
  for (int mode : modes) {
    ASSERT_EQ(std::fesetround(mode), 0);
    for (Number n : cases) {
      EXPECT_EQ(TruncatedInt64(n), static_cast<std::int64_t>(std::trunc(n))) << static_cast<double>(n) << " mode " << mode;
      EXPECT_EQ(TruncatesToNonZero(n), std::trunc(n) != 0) << static_cast<double>(n);
    }
    EXPECT_EQ(WrittenAsInteger(2.0L), true);
    EXPECT_EQ(WrittenAsInteger(2.5L), false);
    EXPECT_EQ(WrittenAsInteger(1e15L), false);
    EXPECT_EQ(WrittenAsInteger(999999999999999.0L), true);
    EXPECT_EQ(FormatNumber(-42.0L), "-42");
  }
  std::fesetround(FE_TONEAREST);
  EXPECT_TRUE(TruncatesToNonZero(std::nanl("")));
  EXPECT_FALSE(WrittenAsInteger(std::nanl("")));
  EXPECT_FALSE(WrittenAsInteger(HUGE_VALL));
}

TEST(ArithmeticVerbs, FailingVerbChangesNothing) {
  auto shown = Shown("エラーを無視\nそれ=「前」\nC=7\nCを、0で、割る\n「{C} {それ}」を、表示\n"
                     "MOD(7,0)を、表示\n「{それ}」を、表示\n");
  ASSERT_FALSE(shown.empty());
  EXPECT_EQ(shown.front(), "7 前");
  EXPECT_EQ(shown.back(), "前");
}

TEST(ArithmeticVerbs, AddKeepsTheMarkOfItsSecondArgument) {
  auto shown = Shown("A=「1」\nAに、「2」を、足す\n「{A}」を、表示\nB=1\nBに、2を、足す\n「{B}」を、表示\n");
  EXPECT_EQ(shown, (std::vector<std::string>{"12", "3"}));
}

}  // namespace
}  // namespace pirune
