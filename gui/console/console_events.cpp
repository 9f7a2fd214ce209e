// The console host's events: the script timer on a steady clock, "待つ", and interrupts
// and SIGTERM as close requests.
#include "gui/console/console_host.h"

#include "platform/posix/close_signals.h"

namespace pirune {

void ConsoleHost::OnEvents(std::function<void()> timer, std::function<bool()> close_request) {
  timer_ = std::move(timer);
  close_request_ = std::move(close_request);
}

void ConsoleHost::SetScriptTimer(std::uint32_t ms) {
  // An interval of 0 never fires.
  timer_set_ = ms > 0;
  timer_due_ = platform::SteadyMilliseconds() + ms;
}

void ConsoleHost::ServeDue() {
  if (ended_) return;
  if (platform::TakeCloseSignal()) {
    platform::SetDecidingClose(true);
    if (!close_request_ || close_request_()) ended_ = true;
    platform::SetDecidingClose(false);
    return;
  }
  if (timer_set_ && platform::SteadyMilliseconds() >= timer_due_) {
    timer_set_ = false;  // once per setting; the handler may set it again
    if (timer_) timer_();
  }
}

void ConsoleHost::ProcessMessages() { ServeDue(); }

void ConsoleHost::Wait(std::uint32_t ms) {
  const std::int64_t until = platform::SteadyMilliseconds() + ms;
  while (!ended_) {
    // A timer due before the wait's end fires before the wait ends, however late the
    // machine wakes.
    ServeDue();
    const std::int64_t now = platform::SteadyMilliseconds();
    if (ended_ || (now >= until && !(timer_set_ && timer_due_ <= until))) return;
    const std::int64_t next = timer_set_ && timer_due_ < until ? timer_due_ : until;
    platform::SleepUntilSignal(next - now);
  }
}

void ConsoleHost::ServeEvents() {
  while (!ended_) {
    if (!timer_set_) {
      if ((!close_request_ || close_request_()) || !timer_set_) ended_ = true;
      continue;
    }
    ServeDue();
    if (!ended_ && timer_set_) platform::SleepUntilSignal(timer_due_ - platform::SteadyMilliseconds());
  }
}

}  // namespace pirune
