// The console runtime: runs a script headless, for tests and for the terminal.
#include <string>
#include <vector>

#include <cstdlib>

#include "engine/events.h"
#include "engine/fast_paths.h"
#include "engine/piru_base.h"
#include "engine/reentry_probe.h"
#include "gui/console/console_host.h"
#include "platform/cp932.h"
#include "platform/platform.h"
#include "platform/posix/close_signals.h"
#include "startup/start.h"

int main(int argc, char** argv) {
  // The reference run: every shortcut off, every statement read the general way.
  if (const char* off = std::getenv("PIRUNE_NO_FAST_PATHS"); off && std::string(off) == "1") pirune::SetFastPaths(false);
  std::vector<std::string> arguments;
  for (int i = 1; i < argc; ++i) {
    std::string raw = argv[i];
    auto sjis = pirune::cp932::FromUtf8(raw);
    arguments.push_back(sjis ? *sjis : raw);
  }
  pirune::platform::SetCommandLineArguments(std::move(arguments));
  pirune::TPiruBase state;
  pirune::ConsoleHost host;
  state.host = &host;
  pirune::PrepareStart(state, host);
  if (const char* probe = std::getenv("PIRUNE_TEST_REENTRY"); probe && std::string(probe) == "1")
    pirune::InstallReentryProbe(state);
  host.OnEvents([&state] { pirune::ScriptTimerFired(state); }, [&state] { return pirune::CloseRequested(state); });
  pirune::platform::CatchCloseSignals();
  if (pirune::RunStart(state, host)) host.ServeEvents();
  return state.ExitCode;
}
