#include <gtest/gtest.h>

#include "engine/expression.h"
#include "engine/values.h"
#include "script_runner.h"

namespace pirune {
namespace {

TEST(EvaluateExpression, Table) {
  struct Case { const char* expression; const char* value; const char* mark; } cases[] = {
      {"1+2*3", "7", "e"},        {"(1+2)*3", "9", "e"},      {"2*3^2", "36", "e"},
      {"2^3^2", "64", "e"},       {"10-2-3", "5", "e"},       {"7%3", "1", "e"},
      {"-7%3", "-1", "e"},        {"7.9%2", "1", "e"},        {"10/0", "0", "e"},
      {"5%0", "0", "e"},          {"5^0", "1", "e"},          {"2^-1", "0.5", "e"},
      {"-3+5", "2", "e"},         {"2*-3", "-6", "e"},        {"-2^2", "4", "e"},
      {"+$10+1", "17", "e"},      {"1--1", "2", "e"},         {"\"abc\"=\"abc\"", "1", "e"},
      {"\"abc\"<\"abd\"", "1", "e"}, {"\"10\"<\"9\"", "1", "e"}, {"10<9", "0", "e"},
      {"\"abc\"=0", "1", "e"},    {"-1&&1", "0", "e"},        {"1||0", "1", "e"},
      {"1 2", "1", "e"},          {"1,000+1", "1", "e"},      {"1+", "1", "e"},
      {"\"a\"&\"b\"", "ab", "s"}, {"1/3", "0.333333333333333", "e"},
      {"10>=10", "1", "e"},       {"3=<2", "0", "e"},         {"2<>3", "1", "e"},
      {"\"x\"=&\"x\"", "1", "e"}, {"\"1\"==1", "1", "e"},
      {"2^10", "1024", "e"},      {"1e5", "1", "e"},          {"0.1+0.2", "0.3", "e"},
      {"10^20", "1E20", "e"},     {"1/1000000", "1E-6", "e"}, {"1/100000", "0.00001", "e"},
      {"123456789012345", "123456789012345", "e"}, {"10^15", "1E15", "e"}, {"(-8)^3", "-512", "e"},
      {"10^400", "1E400", "e"},   {"-2^1500", "3.5074662110434E451", "e"}, {"10^-400", "1E-400", "e"},
  };
  for (const auto& c : cases) {
    testing::Script s("");
    std::string text = c.expression;
    EXPECT_EQ(EvaluateExpression(s.state, text), c.value) << c.expression;
    EXPECT_EQ(s.state.LastMark, c.mark) << c.expression;
  }
}

TEST(EvaluateExpression, ErrorsAreWrappedOnce) {
  struct Case { const char* expression; const char* inner; } cases[] = {
      {"(0-8)^0.5", "浮動小数点数の不正な演算です。"},
      {"0^-1", "浮動小数点数を0で割りました。"},
      {"1+*2", "演算子「*」の位置が不正。"},
      {"10^5000", "数値が大きすぎます。"},
  };
  for (const auto& c : cases) {
    testing::Script s("");
    ErrorLog().clear();
    std::string text = c.expression;
    EXPECT_THROW(EvaluateExpression(s.state, text), EPiru) << c.expression;
    EXPECT_EQ(ErrorLog(), std::string("[エラー] test.prw(1行目): 計算式に誤りがあります。") + c.inner + c.expression + "\r\n");
  }
}

TEST(EvaluateExpression, MissingBracketIsReported) {
  testing::Script s("");
  ErrorLog().clear();
  std::string text = "(1+2";
  EXPECT_THROW(EvaluateExpression(s.state, text), EPiru);
  EXPECT_NE(ErrorLog().find("\")\"が対応していません。"), std::string::npos);
  EXPECT_NE(ErrorLog().find("計算式に誤りがあります。"), std::string::npos);
}

TEST(EvaluateExpression, DeepNestingIsAnErrorNotACrash) {
  testing::Script s("");
  std::string text = std::string(20000, '(') + "1" + std::string(20000, ')');
  EXPECT_THROW(EvaluateExpression(s.state, text), EPiru);
  EXPECT_EQ(s.state.Nesting, 0);
}

TEST(StrToValue, Table) {
  struct Case { const char* text; long double value; } cases[] = {
      {"12円", 12}, {"1e5", 1}, {"1.5e3", 1500}, {".5", 0.5}, {"$FF", 255}, {"$FFFFFFFF", -1},
      {"1,000", 1000}, {"", 0}, {"  -3.25 ", -3.25}, {"abc", 0}, {"１２", 12}, {"$zz", 0}, {"1.5E", 1.5},
      // Numbers as the runtime writes them read back: an exponent without a point
      // counts behind a one-digit mantissa where the writing would have used it.
      {"1E20", 1e20L}, {"-1E19", -1e19L}, {"1E-6", 1e-6L}, {"5E-7", 5e-7L}, {"1E15", 1e15L},
      {"5E3", 5}, {"1E14", 1}, {"1E-5", 1}, {"12E20", 12}, {"1e20", 1}, {"0E20", 0}, {"1E", 1},
  };
  for (const auto& c : cases) EXPECT_EQ(StrToValue(c.text), c.value) << c.text;
}

TEST(Quote, RoundTripsThroughArgumentValue) {
  testing::Script s("");
  for (const std::string& text : std::vector<std::string>{"plain", "with`quote", "``", "", std::string("nul\0byte", 8),
                                                        "定義`表示`ソ"}) {
    EXPECT_EQ(ArgumentValue(s.state, Quote(text)), text);
  }
}

TEST(ArgumentValue, Table) {
  struct Case { const char* fragment; const char* value; const char* mark; } cases[] = {
      {"\"a\\nb\"", "a\r\nb", "s"},   {"`a\\nb`", "a\\nb", "s"},   {"\"x{1+2}y\"", "x3y", "s"},
      {"\"x｛1+2｝y\"", "x3y", "s"},   {"1+2", "3", "e"},           {"\"a\"&\"b\"", "ab", "s"},
      {"\"a\"&1+2", "2", "e"},        {"未定義の単語", "未定義の単語", "s"}, {"42", "42", "e"},
      {"@@#a\\tb#", "a\tb", "s"},     {"\"q\\\"q\"", "q\"q", "s"},  {"$10", "16", "e"},
      {"-5", "-5", "e"},              {"(2*3)", "6", "e"},          {"12番目", "12", "e"},
      {"12 +1", "13", "e"},           {"12&3", "123", "s"},         {"7,", "7", "e"},
      {"`a``b`", "a`b", "s"},         {"`a`&`b`", "ab", "s"},       {"1.5", "1.5", "e"},
      {"12||0", "1", "e"},            {"`表`", "表", "s"},
  };
  for (const auto& c : cases) {
    testing::Script s("");
    EXPECT_EQ(ArgumentValue(s.state, c.fragment), c.value) << c.fragment;
    EXPECT_EQ(s.state.LastMark, c.mark) << c.fragment;
  }
}

TEST(ArgumentValue, CommandsReadAsValuesLeaveSoreAlone) {
  testing::Script s("Xを、数値として扱う");
  s.Run();
  s.state.Sore->SetValue("kept");
  s.state.Sore->Mark = "s";
  // 変数名列挙 lists words and puts them in それ; read as a value it must not change それ.
  std::string v = ArgumentValue(s.state, "変数名列挙");
  EXPECT_EQ(v, "X\r\n");
  EXPECT_EQ(s.state.Sore->GetValue(), "kept");
}

TEST(ArgumentValue, WordsReadAsWhatTheyName) {
  testing::Script s("A=5\r\nT=「x」\r\nH=「k=v」\r\nHを、辞書として扱う");
  s.Run();
  struct Case { const char* fragment; const char* value; const char* mark; } cases[] = {
      {"A", "5", "e"}, {"T", "x", "s"}, {"H", "k=v", "s"}, {"無い", "無い", "s"}, {"A+1", "6", "e"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ArgumentValue(s.state, c.fragment), c.value) << c.fragment;
    EXPECT_EQ(s.state.LastMark, c.mark) << c.fragment;
  }
}

}  // namespace
}  // namespace pirune

namespace pirune {
namespace {

// Expressions over variables are read once and replayed afterwards; the replay must give
// what reading the text gives, the first time and every time after.
TEST(EvaluateExpression, ReplayAgreesWithReading) {
  struct Case { const char* expression; const char* value; const char* mark; } cases[] = {
      {"A+B", "5", "e"},        {"A&B", "23", "s"},       {"T&A", "x2", "s"},     {"-A+1", "-1", "e"},
      {"-S", "0", "e"},         {"A*B-1", "5", "e"},      {"(A+B)*2", "10", "e"}, {"T=\"x\"", "1", "e"},
      {"A<B && B<4", "1", "e"}, {"A%B", "2", "e"},        {"B/0", "0", "e"},      {"未定義+1", "1", "e"},
      {"A^B", "8", "e"},        {"N+1", "1", "e"},        {"(A)&(B)", "23", "s"}, {"A B", "2", "e"},
      // Texts count as numbers in arithmetic and on a comparison's left; on its right
      // (but for "==") the texts themselves are compared.
      {"X+Y", "12", "e"},       {"X=5", "1", "e"},        {"5=X", "1", "e"},      {"5=Z", "0", "e"},
      {"Z=5", "1", "e"},        {"5==Z", "1", "e"},       {"5<W", "0", "e"},      {"W>5", "1", "e"},
      {"Q*2", "0", "e"},        {"A+X*Y", "37", "e"},     {"1+(X)", "6", "e"},    {"A<(W)", "0", "e"},
      {"X&&Y", "1", "e"},       {"A-X", "-3", "e"},       {"X Y", "5", "s"},      {"-X+1", "-4", "e"},
      {"X%A", "1", "e"},        {"(A+1)=W", "0", "e"},    {"W=(A+8)", "1", "e"},
      // Constants on the right of an operation, bare or in a group.
      {"A*(3)", "6", "e"},      {"10-A-1", "7", "e"},     {"A%2=0", "1", "e"},    {"B/(1+1)", "1.5", "e"},
      // Integers stay integers only while that is exact: past their range, or divided
      // with a remainder, the result is the number's.
      {"L%1000", "999", "e"},   {"L*9%10", "1", "e"},     {"L*9", "9E18", "e"},   {"L*L", "1E36", "e"},
      {"(0-L)*10", "-1E19", "e"}, {"A/(0-1)", "-2", "e"}, {"W/A", "5", "e"},      {"-W/4", "-2.5", "e"},
      {"L+1>L", "1", "e"},      {"E/7", "1428571428571.43", "e"},
  };
  testing::Script s("A=2\r\nB=3\r\nT=「x」\r\nS=「 5」\r\nN=「」\r\nX=「5」\r\nY=「7」\r\nZ=「05」\r\nW=「10」\r\nQ=「abc」\r\n"
                    "L=999999999999999999\r\nE=10000000000000");
  s.Run();
  for (int round = 0; round < 3; ++round) {
    for (const auto& c : cases) {
      EXPECT_EQ(EvaluateExpression(s.state, c.expression), c.value) << c.expression << " round " << round;
      EXPECT_EQ(s.state.LastMark, c.mark) << c.expression;
    }
  }
}

TEST(EvaluateExpression, AVariableThatBecomesACommandIsReadAgain) {
  testing::Script s("A=1\r\n*ラベル\r\nそれは 7\r\n戻る");
  s.Run();
  EXPECT_EQ(EvaluateExpression(s.state, "A+1"), "2");
  s.state.Words.Find("A", false)->Assign(*s.state.Words.Find("ラベル", false));
  EXPECT_EQ(EvaluateExpression(s.state, "A+1"), "8");
}

}  // namespace
}  // namespace pirune
