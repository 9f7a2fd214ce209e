#include <gtest/gtest.h>

#include <span>
#include <string>
#include <vector>

#include "engine/command_api.h"
#include "engine/control_flow.h"
#include "engine/registry.h"
#include "script_runner.h"

namespace pirune {
namespace {

using testing::Script;

void Nothing(TCommand&) {}

TEST(CommandFamilies, EveryClaimNamesACommandAndNoIdIsClaimedTwice) {
  EXPECT_EQ(HandlerClaimProblems(), std::vector<std::string>{});
}

TEST(CommandFamilies, BadClaimsAreReported) {
  // "おわり" and "終わり" are one command (id 2): the second claim is refused.
  const CommandBinding first[] = {{"表示", Nothing}, {"おわり", Nothing}};
  const CommandBinding second[] = {{"終わり", Nothing}, {"ありもしない命令", Nothing}};
  const std::span<const CommandBinding> families[] = {first, second};
  std::vector<std::string> problems = HandlerClaimProblems(families);
  ASSERT_EQ(problems.size(), 2u);
  EXPECT_NE(problems[0].find("終わり"), std::string::npos);
  EXPECT_NE(problems[0].find("おわり"), std::string::npos);
  EXPECT_NE(problems[1].find("ありもしない命令"), std::string::npos);
}

// Runs one statement's command with the given fragments on the word stack and lets the
// test look at the TCommand the handler would get.
template <class Look>
void WithCommand(Script& s, const char* name, std::vector<std::string> fragments, Look look) {
  THashNode* command = s.state.Words.Find(name, true);
  ASSERT_NE(command, nullptr);
  for (auto& f : fragments) s.state.Stack.Push(f);
  TCommand c(s.state, *command, fragments.size());
  look(c);
}

TEST(TCommand, TakesEveryFragmentOffTheStackBeforeReadingAny) {
  Script s("");
  s.state.Stack.Push("残り");
  WithCommand(s, "繰り返す", {"I", "1", "3"}, [&](TCommand& c) {
    EXPECT_EQ(s.state.Stack.Count(), 1u);  // only what the command did not take
    EXPECT_EQ(c.Count(), 3u);
    EXPECT_EQ(c.Raw(0), "I");
    EXPECT_EQ(c.Num(2), 3);
  });
}

TEST(TCommand, IntegersOutOfRangeAreArgumentErrors) {
  Script s("");
  struct Case {
    const char* fragment;
    bool fails;
    std::int64_t value;
  } cases[] = {
      {"12", false, 12},
      {"-7.9", false, -7},
      {"9223372036854775807", false, INT64_MAX},
      {"9223372036854775808", true, 0},
      {"-9223372036854775808", false, INT64_MIN},
      {"(10^30)", true, 0},
      {"(0-10^400)", true, 0},
  };
  for (const auto& k : cases) {
    WithCommand(s, "変数名列挙", {k.fragment}, [&](TCommand& c) {
      if (k.fails) {
        try {
          c.Int(0);
          ADD_FAILURE() << k.fragment << " was taken";
        } catch (const EPiru& e) {
          EXPECT_NE(e.Message().find("\"変数名列挙\"命令の引数に誤りがあります。"), std::string::npos) << e.Message();
        }
      } else {
        EXPECT_EQ(c.Int(0), k.value) << k.fragment;
      }
    });
  }
}

TEST(TCommand, BoundedIntegersRefuseWhatIsOutside) {
  Script s("");
  WithCommand(s, "変数名列挙", {"5"}, [&](TCommand& c) {
    EXPECT_EQ(c.Int(0, 0, 5), 5);
    EXPECT_THROW(c.Int(0, 0, 4), EPiru);
  });
}

TEST(TCommand, ResultsKeepTheirNumbersAndMarks) {
  Script s("");
  WithCommand(s, "今", {}, [&](TCommand& c) {
    c.ResultInteger(-42);
    EXPECT_EQ(s.state.Sore->GetValue(), "-42");
    EXPECT_EQ(s.state.Sore->Mark, "e");
    c.ResultNumber(2.5L);
    EXPECT_EQ(s.state.Sore->GetValue(), "2.5");
    c.ResultNumber(1e20L);
    EXPECT_EQ(s.state.Sore->NumberValue(), 1e20L);
    c.ResultFlag(true);
    EXPECT_EQ(s.state.Sore->GetValue(), "1");
    c.Result("文字");
    EXPECT_EQ(s.state.Sore->GetValue(), "文字");
    EXPECT_EQ(s.state.Sore->Mark, "s");
    EXPECT_EQ(s.state.LastMark, "s");
  });
}

TEST(TCommand, WordsAreFoundOrMade) {
  Script s("");
  WithCommand(s, "入れる", {"`新しい語`", "ない語"}, [&](TCommand& c) {
    THashNode& made = c.Word(0, true);
    EXPECT_EQ(made.Name, "新しい語");
    EXPECT_EQ(&c.Word(0), &made);
    try {
      c.Word(1);
      ADD_FAILURE() << "a missing word was found";
    } catch (const EPiru& e) {
      EXPECT_NE(e.Message().find("部品\"ない語\"が特定できません。"), std::string::npos) << e.Message();
    }
  });
}

// A "ループ" that has gone round 2^31 - 1 times goes on counting.
TEST(RunControl, LoopCounterGoesPastTheInt32Range) {
  Script s("(1)で、ループ(X=1)\n");
  TRunControl* loop = nullptr;
  for (int i = 0; i < 10 && !loop; ++i) {
    Step(s.state);
    loop = s.state.RunControl.Top();
  }
  ASSERT_NE(loop, nullptr);
  ASSERT_EQ(loop->kind, kWhile);
  loop->counter = 2147483647;
  for (int i = 0; i < 10 && s.state.Cur.At() != 0; ++i) Step(s.state);  // the body
  ASSERT_EQ(s.state.Cur.At(), 0);
  CheckRunControl(s.state);
  EXPECT_EQ(s.state.Words.Find("回数", false)->GetValue(), "2147483648");
}

}  // namespace
}  // namespace pirune
