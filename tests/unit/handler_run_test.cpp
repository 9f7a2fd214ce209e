#include <gtest/gtest.h>

#include "engine/handler_run.h"
#include "script_runner.h"

namespace pirune {
namespace {

using testing::RecordingHost;
using testing::Script;

// A host whose message box lets an event in while it waits, as a real dialog does.
class InterruptingHost : public RecordingHost {
 public:
  void Say(const std::string& text) override {
    if (state && handler) RunHandler(*state, handler->Ref);
    RecordingHost::Say(text);
  }
  TPiruBase* state = nullptr;
  const THashNode* handler = nullptr;
};

struct Interrupted {
  explicit Interrupted(const std::string& text) : script(text) {
    host.state = &script.state;
    host.handler = script.state.Words.Find("割り込み", false);
    script.state.host = &host;
  }
  Script script;
  InterruptingHost host;
};

// The handler binds its arguments by particle and reads on a word stack of its own, while
// the statement it interrupts is a bracketed call binding by position with fragments of
// its own still pending; both go on as if the other had not run.
TEST(RunHandler, InterruptsABracketedCallWithoutDisturbingIt) {
  Interrupted run(
      "A=「甲」\n"
      "「前」と、「後」を、連結して表示\n"
      "おわり\n"
      "*連結して表示(?と,?を)\n"
      "Xに、1番目の、引数得る\n"
      "Yに、2番目の、引数得る\n"
      "言う(X)\n"
      "「{X}{Y}{B}」と、表示\n"
      "戻る\n"
      "*割り込み\n"
      "Bに、Aを、入れる\n"
      "局所を、ローカル変数\n"
      "局所=「l」\n"
      "戻る\n");
  run.script.Run();
  EXPECT_EQ(run.host.error_logs, std::vector<std::string>{});
  EXPECT_EQ(run.host.shown, (std::vector<std::string>{"前", "前後甲"}));
  EXPECT_EQ(run.script.state.Words.Find("局所", false), nullptr);  // the handler's own
}

// A handler that fails is handled by its own run; the interrupted program goes on.
TEST(RunHandler, AnErrorInTheHandlerStaysInIt) {
  Interrupted run(
      "エラーを無視\n"
      "「一」と、言う\n"
      "「二」と、表示\n"
      "おわり\n"
      "*割り込み\n"
      "「あ」表示\n"
      "「ここも」と、表示\n"
      "戻る\n");
  run.script.Run();
  EXPECT_EQ(run.host.shown, (std::vector<std::string>{"ここも", "一", "二"}));
}

}  // namespace
}  // namespace pirune
