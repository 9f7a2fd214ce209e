#include "platform/posix/close_signals.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <time.h>
#include <unistd.h>

#include <atomic>
#include <climits>

namespace pirune::platform {
namespace {

// The handler may touch only what is safe from a signal: a pipe and lock-free atomics.
int wake_pipe[2] = {-1, -1};
std::atomic<int> pending{0};
std::atomic<std::int64_t> last_signal{INT64_MIN};
std::atomic<bool> deciding_close{false};

std::int64_t Now() {
  timespec t{};
  clock_gettime(CLOCK_MONOTONIC, &t);
  return static_cast<std::int64_t>(t.tv_sec) * 1000 + t.tv_nsec / 1000000;
}

void OnCloseSignal(int number) {
  const std::int64_t now = Now();
  const std::int64_t before = last_signal.exchange(now);
  // The second one: the close request may be stuck in a script (an end handler that
  // never returns), and the user means it.
  if (deciding_close.load() || (before != INT64_MIN && now - before < 1000)) _exit(128 + number);
  pending.fetch_add(1);
  const char byte = 0;
  [[maybe_unused]] ssize_t written = write(wake_pipe[1], &byte, 1);
}

}  // namespace

void CatchCloseSignals() {
  if (wake_pipe[0] >= 0 || pipe(wake_pipe) != 0) return;
  for (int end : wake_pipe) {
    fcntl(end, F_SETFL, fcntl(end, F_GETFL) | O_NONBLOCK);
    fcntl(end, F_SETFD, FD_CLOEXEC);
  }
  struct sigaction action{};
  action.sa_handler = OnCloseSignal;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART;
  sigaction(SIGINT, &action, nullptr);
  sigaction(SIGTERM, &action, nullptr);
}

bool TakeCloseSignal() {
  int count = pending.load();
  while (count > 0)
    if (pending.compare_exchange_weak(count, count - 1)) return true;
  return false;
}

void SetDecidingClose(bool deciding) { deciding_close.store(deciding); }

std::int64_t SteadyMilliseconds() { return Now(); }

void SleepUntilSignal(std::int64_t ms) {
  if (pending.load() > 0) return;
  pollfd wake{wake_pipe[0], POLLIN, 0};
  const int timeout = ms < 0 ? 0 : ms > INT_MAX ? INT_MAX : static_cast<int>(ms);
  if (poll(&wake, wake_pipe[0] < 0 ? 0 : 1, timeout) > 0) {
    char drain[64];
    while (read(wake_pipe[0], drain, sizeof drain) > 0) {
    }
  }
}

}  // namespace pirune::platform
