// The Windows GUI runtime's entry: builds the main window, the host and the interpreter
// state, runs the start, then serves window messages until the main window is closed.
#include <windows.h>
#include <shellapi.h>

#include <exception>
#include <string>
#include <vector>

#include "engine/errors.h"
#include "engine/events.h"
#include "engine/piru_base.h"
#include "gui/win32/main_window.h"
#include "gui/win32/win32_host.h"
#include "platform/platform.h"
#include "platform/win32/wide.h"
#include "startup/start.h"

namespace {

// The arguments after the program name, in Shift_JIS. Taken from the wide command line
// so that Japanese file names arrive intact whatever the ANSI code page is.
std::vector<std::string> ArgumentsWithoutProgram() {
  std::vector<std::string> arguments;
  int count = 0;
  LPWSTR* wide = CommandLineToArgvW(GetCommandLineW(), &count);
  if (!wide) return arguments;
  for (int i = 1; i < count; ++i) arguments.push_back(pirune::win32::Narrow(wide[i]));
  LocalFree(wide);
  return arguments;
}

void ServeMessages(pirune::TfrmPiru& form, bool testing) {
  // The window may already be gone: the start can close it, and a message pump inside
  // the run may have taken the quit message.
  MSG message;
  while (form.IsOpen()) {
    // Under test nobody is there to close the window: it closes where the console
    // runtime ends, once nothing can fire any more; and if the end handler refuses
    // without setting a timer, nothing ever could.
    if (testing && !form.ScriptTimerSet()) {
      if (!form.RequestClose() && !form.ScriptTimerSet()) form.Destroy();
      continue;
    }
    if (GetMessageW(&message, nullptr, 0, 0) <= 0) break;
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  pirune::platform::SetCommandLineArguments(ArgumentsWithoutProgram());

  pirune::TfrmPiru form;
  pirune::TPiruBase state;
  pirune::Win32Host host(form);
  state.host = &host;

  form.OnEvents([&state] { pirune::ScriptTimerFired(state); },
                 [&state] { return state.Ended || pirune::CloseRequested(state); });

  try {
    pirune::PrepareStart(state, host);
    if (pirune::RunStart(state, host)) ServeMessages(form, host.Testing());
  } catch (const pirune::Exception& error) {
    // The engine reports script errors itself; reaching here is a fault of the runtime.
    // Without this a GUI program would vanish without a word.
    host.ShowMessage(error.Message(), pirune::win32::Narrow(form.Caption()));
    return 1;
  } catch (const std::exception& error) {
    host.ShowMessage(error.what(), pirune::win32::Narrow(form.Caption()));
    return 1;
  }
  return state.ExitCode;
}
