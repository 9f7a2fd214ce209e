// Waiting for events and ending the program: "待機", "おわり", "終了処理設定",
// "タイマー設定" and "待つ". What happens when an event arrives is events.cpp's.
#include <cmath>

#include "engine/events.h"
#include "engine/expression.h"
#include "engine/piru_base.h"
#include "engine/registry.h"
#include "engine/statement.h"
#include "engine/values.h"
#include "gui/host.h"

namespace pirune {
namespace {

void UndefinedLabel(TPiruBase& state, const std::string& name) {
  RaiseScriptError(state, "未定義のラベル\"" + name + "\"に、ジャンプしようとしました。");
}

// A name given as written: a word of that name, or nothing when the argument's value is
// empty (so 「」 clears the setting); any other value names no word, which is an error.
THashNode* NamedWordOrNone(TCommand& c, std::size_t slot) {
  TPiruBase& state = c.Interpreter();
  const std::string& name = c.Raw(slot);
  if (THashNode* word = state.Words.Find(name, false)) return word;
  if (!ArgumentValue(state, name).empty()) UndefinedLabel(state, name);
  return nullptr;
}

// Seconds as whole milliseconds, as the host's timers count them.
std::uint32_t Milliseconds(TCommand& c, std::size_t slot) {
  Number ms = std::trunc(c.Num(slot) * 1000);
  if (!(ms >= 0 && ms <= 4294967295.0L)) throw Exception("値が範囲外です。");
  return static_cast<std::uint32_t>(ms);
}

void WaitForEvents(TCommand& c) { AbandonRun(c.Interpreter()); }

void End(TCommand& c) {
  TPiruBase& state = c.Interpreter();
  AbandonRun(state);
  CloseRequested(state);
}

void SetEndHandler(TCommand& c) {
  TPiruBase& state = c.Interpreter();
  THashNode* handler = NamedWordOrNone(c, 0);
  state.Events.end_handler = handler;
  if (state.NoExit) state.NoExit->SetValue(handler ? "1" : "0");
}

void SetTimer(TCommand& c) {
  TPiruBase& state = c.Interpreter();
  THashNode* label = NamedWordOrNone(c, 1);
  if (!label) {
    state.Events.timer_label = KeptPosition();
    if (c.host()) c.host()->SetScriptTimer(0);
    return;
  }
  if (label->Kind != kLabel) UndefinedLabel(state, c.Raw(1));
  std::uint32_t ms = Milliseconds(c, 0);
  state.Events.timer_label = KeptPosition(label->Ref);
  if (c.host()) c.host()->SetScriptTimer(ms);
}

void Sleep(TCommand& c) {
  std::uint32_t ms = Milliseconds(c, 0);
  if (c.host()) c.host()->Wait(ms);
}

}  // namespace

std::span<const CommandBinding> ProgramEndCommands() {
  static const CommandBinding commands[] = {
      {"待機", WaitForEvents}, {"おわり", End}, {"終了処理設定", SetEndHandler}, {"タイマー設定", SetTimer}, {"待つ", Sleep},
  };
  return commands;
}

}  // namespace pirune
