#include <gtest/gtest.h>

#include "script_runner.h"

namespace pirune {
namespace {

using testing::Script;

struct Shown { const char* script; std::vector<std::string> shown; };

TEST(Statements, ShowWhatTheyShould) {
  const Shown cases[] = {
      {"「こんにちは」と、表示", {"こんにちは"}},
      {"「a」と、表示。「b」と、表示", {"a", "b"}},
      {"1+2を、表示", {"3"}},
      {"1 + 2 を、表示", {"3"}},
      {"$10を、表示", {"16"}},
      {"「a」と、\r\n表示", {"a"}},
      {"\r\n  \r\n「x」と、表示", {"x"}},
      {"*ラベル\r\n「y」と、表示", {"y"}},
      {"表示(「x」)", {"x"}},
      {"「abc」を、言う", {"abc"}},
      {"「a」&「b」を、表示", {"ab"}},
      {"(2+3)を、表示", {"5"}},
      {"「x」と、表示して「y」と、表示", {"x", "y"}},
      {"007を、表示", {"007"}},
      {"? 「debug」", {"debug"}},
      {"「a」を、言う\r\n表示", {"a", ""}},
  };
  for (const auto& c : cases) {
    Script s(c.script);
    s.Run();
    EXPECT_EQ(s.host.shown, c.shown) << c.script;
  }
}

TEST(Statements, ShowWithoutArgumentTakesSore) {
  Script s("「abc」を、数値として扱う\r\n表示");
  s.state.Sore->SetValue("from sore");
  s.Run();
  EXPECT_EQ(s.host.shown, std::vector<std::string>{"from sore"});
}

struct Failure { const char* script; const char* log; };

TEST(Statements, ErrorMessagesNameTheirLine) {
  const Failure cases[] = {
      {"「こんにちは」と表示",
       "[エラー] test.prw(1行目): \"`こんにちは`と表示\"は未定義の命令です。(;o;)<綴りミスか、命令の引数に注意！\r\n"},
      {"\r\n「a」を、「b」に、表じ",
       "[エラー] test.prw(2行目): \"`a`を,`b`に,表じ\"は未定義の命令です。(;o;)<綴りミスか、命令の引数に注意！\r\n"},
      {"「a」と、「b」と、表示\r\n「c」と、表示",
       "[エラー] test.prw(1行目): \"表示\"命令の引数に誤りがあります。引数が多いです。\"`a`と\r\n\"\r\n"},
      {"「a」と、「b」と、表示。「c」と、表示",
       "[エラー] test.prw(1行目): \"表示\"命令の引数に誤りがあります。引数が多いです。\"`a`と\r\n\"\r\n"},
      {"「abc」、表示",
       "[エラー] test.prw(1行目): \"表示\"命令の引数に誤りがあります。\"?と\"の形式で指定してください。\"と\"\r\n"},
      {"A\r\n\r\nX", ""},  // set below: variables cannot run
      {"「a」と、表示\r\n)",
       "[エラー] test.prw(2行目): \")\"は、文法が正しくないため、実行できません。\r\n"},
      {"& 1", "[エラー] test.prw(1行目): \"&\"は、文法が正しくないため、実行できません。\"&\"は、文字列との連結に使います。\r\n"},
      {"* は無視\r\n<", "[エラー] test.prw(2行目): \"<\"は、文法が正しくないため、実行できません。\"<\"は、計算式で使います。\r\n"},
      {"「x」を、置換", "[エラー] test.prw(1行目): \"置換\"命令の引数に誤りがあります。\"?の,?を,?に\"の形式で指定してください。引数が少ないです。\r\n"},
      {"「a」と、表示\r\n「b」と、表示\r\n「c」と表示",
       "[エラー] test.prw(3行目): \"`c`と表示\"は未定義の命令です。(;o;)<綴りミスか、命令の引数に注意！\r\n"},
  };
  for (const auto& c : cases) {
    if (std::string(c.log).empty()) continue;
    Script s(c.script);
    s.Run();
    EXPECT_EQ(s.FirstError(), c.log) << c.script;
    EXPECT_TRUE(s.state.Ended) << c.script;
    EXPECT_EQ(s.state.ExitCode, 1);
  }
}

TEST(Statements, AVariableCannotBeRun) {
  Script s("Xを、数値として扱う\r\nX");
  s.Run();
  EXPECT_EQ(s.FirstError(),
            "[エラー] test.prw(2行目): \"X\"は、文法が正しくないため、実行できません。変数を実行することは出来ません。\r\n");
}

TEST(Statements, ContinuingAfterAnErrorRunsTheNextStatement) {
  Script s("「a」と表示\r\n「b」と、表示");
  s.host.answer = ErrorChoice::Continue;
  s.Run();
  EXPECT_EQ(s.host.shown, std::vector<std::string>{"b"});
  EXPECT_FALSE(s.state.Ended);
}

// A program text ends at its first zero byte: what follows runs neither as statements
// nor as labels.
TEST(Statements, AZeroByteEndsTheProgramText) {
  Script s(std::string("「a」を、表示\r\n") + '\0' + "「b」を、表示\r\n");
  s.Run();
  EXPECT_EQ(s.host.shown, std::vector<std::string>{"a"});
  Script t(std::string("L\r\n") + '\0' + "\r\n*L\r\n「c」を、表示\r\n");
  t.Run();
  EXPECT_TRUE(t.host.shown.empty());
  EXPECT_NE(t.FirstError().find("未定義の命令"), std::string::npos) << t.FirstError();
}

TEST(Statements, TwoErrorsBothInTheLog) {
  Script s("「a」と表示\r\n「b」と表示");
  s.host.answer = ErrorChoice::Continue;
  s.Run();
  ASSERT_EQ(s.host.error_logs.size(), 2u);
  EXPECT_NE(s.host.error_logs[1].find("(1行目)"), std::string::npos);
  EXPECT_NE(s.host.error_logs[1].find("(2行目)"), std::string::npos);
}

TEST(Statements, SoshiteEndsTheStatement) {
  Script s("「a」と、そして「b」と、表示");
  s.Run();
  EXPECT_EQ(s.FirstError(), "[エラー] test.prw(1行目): \"`a`と\"は未定義の命令です。(;o;)<綴りミスか、命令の引数に注意！\r\n");
}

TEST(Statements, ErrorsInsideAHandlerAreWrapped) {
  // A bracketed call hands the literal over unread: it is expanded inside the handler.
  Script s("\r\n表示(「{1+*2}」)");
  s.Run();
  std::string log = s.FirstError();
  EXPECT_NE(log.find("[エラー] test.prw(2行目): 計算式に誤りがあります。演算子「*」の位置が不正。1+*2\r\n"), std::string::npos) << log;
  EXPECT_NE(log.find("[エラー] test.prw(2行目): 『表示』命令の実行中にエラー。\r\n"), std::string::npos) << log;
}

TEST(Statements, NotYetAvailableCommandsSaySo) {
  Script s("「a」を、演奏");
  s.Run();
  EXPECT_EQ(s.FirstError(), "[エラー] test.prw(1行目): \"演奏\"は、このバージョンではまだ使えません。\r\n");
}

TEST(Statements, ArgumentsBindByParticleInAnyOrder) {
  // 単語コピー takes ?から,?へ: the order in which they are written does not matter.
  for (const char* script : {"「A」から、「B」へ、単語コピー", "「B」へ、「A」から、単語コピー", "「B」に、「A」から、単語コピー"}) {
    Script s(std::string("Aを、数値として扱う\r\n") + script);
    s.Run();
    EXPECT_EQ(s.FirstError(), "") << script;
    THashNode* b = s.state.Words.Find("B", false);
    ASSERT_NE(b, nullptr) << script;
    EXPECT_EQ(b->Mark, "e") << script;
  }
}

TEST(Statements, EndStopsTheRun) {
  Script s("「a」と、表示\r\nおわり\r\n「b」と、表示");
  s.Run();
  EXPECT_EQ(s.host.shown, std::vector<std::string>{"a"});
  EXPECT_TRUE(s.host.closed);
  EXPECT_EQ(s.state.ExitCode, 0);
}

TEST(Statements, HostileInputNeverCrashes) {
  const std::string inputs[] = {
      std::string("\x82", 1),  std::string("abc\0def", 7), "((((((((", "\"", "@@", "@@\x82", "#", "A#", "\\", "\\99999",
      std::string(100000, '('), std::string(3000, 'A') + "の", "のののののののののの", "1+", "$", "-", "(1,2)",
      std::string(2'000'000, 'x'),
  };
  for (const auto& input : inputs) {
    Script* s = nullptr;
    try {
      s = new Script(input);
    } catch (const EPiru&) {
      continue;  // rejected while preparing
    }
    s->Run();
    EXPECT_TRUE(s->state.Cur.None() || s->state.Cur.At() == 0) << input.substr(0, 40);
    EXPECT_EQ(s->state.Nesting, 0);
    delete s;
  }
}

}  // namespace
}  // namespace pirune

namespace pirune {
namespace {

// Code run while a statement is being read (a label read inside {…}) may end the
// program; the reader must then stop, not read on from nowhere.
TEST(Statements, TheProgramMayEndWhileAStatementIsRead) {
  for (const char* script : {"「{ラベル}」と、表示\r\n*ラベル\r\n「a」と表じ", "もし ラベル ならば 「x」と、表示\r\n*ラベル\r\nおわり",
                             "ラベル回、「x」と、表示\r\n*ラベル\r\nおわり"}) {
    testing::Script s(script);
    s.Run();
    EXPECT_TRUE(s.state.Ended) << script;
    EXPECT_TRUE(s.host.shown.empty()) << script;
  }
}

}  // namespace
}  // namespace pirune

namespace pirune {
namespace {

TEST(Statements, AStepBudgetEndsEvenAnEmptyEndlessLoop) {
  for (const char* script : {"(1)で、ループ()", "A=0\r\n(1)で、ループ(A=A+1)"}) {
    testing::Script s(script);
    s.state.StepBudget = 1000;
    s.Run();
    EXPECT_TRUE(s.state.Ended) << script;
  }
}

}  // namespace
}  // namespace pirune
