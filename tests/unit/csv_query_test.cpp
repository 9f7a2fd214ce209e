#include <gtest/gtest.h>

#include <string>

#include "library/csv_query.h"

namespace pirune {
namespace {

const char kTable[] =
    "名前,年齢,入社\r\n"
    "山田,25,2020/4/1\r\n"
    "田中,30,2019/4/1\r\n"
    "山本,18,x\r\n"
    "やまだ,40,2021/10/1\r\n";

// The rows kept, as their numbers, or the failure's reason.
std::string Kept(std::string_view query) {
  TCsvDb db;
  db.ReadCsv(kTable);
  db.Header = true;
  try {
    std::vector<std::uint8_t> flags = EvaluateQuery(db, PrepareQuery(query), 2026);
    std::string out;
    for (std::size_t r = 0; r < flags.size(); ++r)
      if (flags[r]) out += std::to_string(r);
    return out;
  } catch (const TCsvQueryError& e) {
    return e.what();
  }
}

TEST(CsvQuery, Conditions) {
  struct Case {
    const char* query;
    const char* kept;
  } cases[] = {
      {"年齢 >= 20 かつ 名前 = \"山*\"", "01"},
      {"年齢=>30", "024"},
      {"年齢=<25", "013"},
      {"年齢<>25", "0234"},
      {"年齢><25", "0234"},
      {"年齢==18", "03"},
      {"年齢 < 20 年齢 > 35", "034"},            // side by side: OR
      {"年齢=25 AND 年齢=30 OR 名前=\"山本\"", "0"},  // a AND (b OR c)
      {"(年齢=25 OR 年齢=30) AND 名前=\"山?\"", "01"},
      {"((年齢=18))", "03"},
      {"名前 = `田中`", "02"},
      {"名前 = \"Ｙ*\"", "0"},
      {"名前 > \"山\"", "0123"},  // bytes: やまだ comes first
      {"入社 < #2020/1/1", "02"},
      {"入社 >= #nodate", "0"},
      {"年齢 = ２５", "01"},                       // typed full-width, read half-width
      {"名前=\"(\" OR 年齢=40", "04"},            // no group inside quotes
      {"年齢 ! 30", "演算子の指定エラー。"},
      {"年齢 30", "演算子の指定エラー。"},
      {"性別 = 1", "フィールド名\"性別\"が見つかりません。"},
      {"(年齢 = 1", "\")\"が対応していません。"},
      {"", "0"},
  };
  for (const Case& k : cases) EXPECT_EQ(Kept(k.query), k.kept) << k.query;
}

TEST(CsvQuery, DeepNestingNeedsNoStack) {
  std::string deep(100000, '(');
  deep += "年齢=40";
  deep += std::string(100000, ')');
  EXPECT_EQ(Kept(deep), "04");
  std::string chain;
  for (int i = 0; i < 50000; ++i) chain += "年齢=1 OR ";
  chain += "年齢=30";
  EXPECT_EQ(Kept(chain), "02");
  EXPECT_EQ(Kept(std::string(100000, '(')), "\")\"が対応していません。");
}

TEST(CsvQuery, Masks) {
  struct Case {
    const char* mask;
    const char* text;
    bool expected;
  } cases[] = {
      {"山*", "山田", true},  {"*田", "山田", true},   {"?田", "山田", true}, {"山?", "山", true},
      {"山??", "山", true},   {"?", "", true},        {"a*b", "AxxB", true}, {"a*b", "axxc", false},
      {"*", "", true},        {"", "", true},         {"", "a", false},      {"*a*a*a*b", "aaaaaaaaaaaaaaaaaaaaaaaa", false},
      {"表", "表", true},     {"\\", "表", false},
  };
  for (const Case& k : cases) EXPECT_EQ(MaskMatches(k.mask, k.text), k.expected) << k.mask << " " << k.text;
  // A crafted mask against a long text ends in (text × mask) steps.
  std::string text(200000, 'a');
  EXPECT_FALSE(MaskMatches("*a*a*a*a*a*a*a*a*b", text));
}

}  // namespace
}  // namespace pirune
