#include <gtest/gtest.h>

#include "engine/events.h"
#include "engine/handler_run.h"
#include "script_runner.h"

namespace pirune {
namespace {

using testing::RecordingHost;
using testing::Script;

// A host whose message box lets the script timer fire while it waits, as a real dialog
// does, and that records the timer's settings.
class TimerHost : public RecordingHost {
 public:
  void Say(const std::string& text) override {
    if (state && fire_in_say) ScriptTimerFired(*state);
    RecordingHost::Say(text);
  }
  void SetScriptTimer(std::uint32_t ms) override { settings.push_back(ms); }
  TPiruBase* state = nullptr;
  bool fire_in_say = true;
  std::vector<std::uint32_t> settings;
};

struct Events {
  explicit Events(const std::string& text) : script(text) {
    host.state = &script.state;
    script.state.host = &host;
  }
  Script script;
  TimerHost host;
};

TEST(Events, TheTimerIntervalIsWholeMillisecondsAndAnEmptyLabelStopsIt) {
  Events run(
      "0.5秒後に、時計へ飛ぶ、タイマー設定\n"
      "0.0015秒後に、時計へ飛ぶ、タイマー設定\n"
      "0秒後に、「」へ飛ぶ、タイマー設定\n"
      "おわり\n"
      "*時計\n"
      "戻る\n");
  run.script.Run();
  EXPECT_EQ(run.host.error_logs, std::vector<std::string>{});
  EXPECT_EQ(run.host.settings, (std::vector<std::uint32_t>{500, 1, 0}));
  EXPECT_TRUE(run.script.state.Events.timer_label.None());
}

// The label runs in between, and the interrupted program goes on behind "言う".
TEST(Events, ATimerThatFiresInADialogRunsItsLabelAndTheProgramGoesOn) {
  Events run(
      "1秒後に、時計へ飛ぶ、タイマー設定\n"
      "「開いている」と、言う\n"
      "「言うの後」と、表示\n"
      "おわり\n"
      "*時計\n"
      "「時計」と、表示\n"
      "戻る\n");
  run.script.Run();
  EXPECT_EQ(run.host.shown, (std::vector<std::string>{"時計", "開いている", "言うの後"}));
  EXPECT_TRUE(run.script.state.Ended);
}

// "待機" in the handler ends the interrupted program too, once its statement is over (the
// next one on the same line does not run); a later event still runs.
TEST(Events, WaitingInASplicedHandlerEndsTheInterruptedRun) {
  Events run(
      "1秒後に、時計へ飛ぶ、タイマー設定\n"
      "「開いている」と、言う。「次の文」と、表示\n"
      "「続かない」と、表示\n"
      "*時計\n"
      "「時計」と、表示\n"
      "待機\n");
  run.script.Run();
  EXPECT_EQ(run.host.shown, (std::vector<std::string>{"時計", "開いている"}));
  EXPECT_TRUE(run.script.state.Cur.None());
  EXPECT_FALSE(run.script.state.Ended);
  run.host.fire_in_say = false;
  ScriptTimerFired(run.script.state);
  EXPECT_EQ(run.host.shown.back(), "時計");
  EXPECT_EQ(run.host.shown.size(), 3u);
}

// The end handler runs once per setting; 終了不可能 refuses until it is 1 no more.
TEST(Events, TheEndHandlerRunsOnceAndNoExitRefuses) {
  Events run(
      "終わりに、終了処理設定\n"
      "待機\n"
      "*終わり\n"
      "「終わり処理」と、表示\n"
      "はいを、終了不可能に、入れる\n"
      "戻る\n");
  run.script.Run();
  TPiruBase& state = run.script.state;
  EXPECT_FALSE(CloseRequested(state));
  EXPECT_FALSE(CloseRequested(state));
  EXPECT_EQ(run.host.shown, std::vector<std::string>{"終わり処理"});
  state.NoExit->SetValue("0");
  EXPECT_TRUE(CloseRequested(state));
  EXPECT_TRUE(state.Ended);
  EXPECT_TRUE(run.host.closed);
}

// The error dialog's quit runs the end handler; refused, no further statement of the run
// runs, and the program then waits: a later event's handler still runs.
TEST(Events, QuitAfterAnErrorRunsTheEndHandlerWhichMayRefuse) {
  Events run(
      "終わりに、終了処理設定\n"
      "「a」と表じ\n"
      "「エラーの後」と、表示\n"
      "*終わり\n"
      "「終わり処理」と、表示\n"
      "はいを、終了不可能に、入れる\n"
      "1秒後に、時計へ飛ぶ、タイマー設定\n"
      "戻る\n"
      "*時計\n"
      "「時計」と、表示\n"
      "戻る\n");
  run.host.fire_in_say = false;
  run.script.Run();
  EXPECT_EQ(run.host.error_logs.size(), 1u);
  EXPECT_FALSE(run.script.state.Ended);
  EXPECT_EQ(run.host.shown, std::vector<std::string>{"終わり処理"});
  ScriptTimerFired(run.script.state);
  EXPECT_EQ(run.host.shown, (std::vector<std::string>{"終わり処理", "時計"}));
}

}  // namespace
}  // namespace pirune
