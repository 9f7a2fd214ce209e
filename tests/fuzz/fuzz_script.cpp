// Fuzz target: any bytes as a script are prepared and run. A script error is fine;
// a crash, a hang or a bad memory access is not.
#include <cstddef>
#include <cstdint>
#include <string>

#include "engine/errors.h"
#include "engine/piru_base.h"
#include "engine/preprocess.h"
#include "engine/registry.h"
#include "engine/statement.h"
#include "gui/host.h"

namespace {

class SilentHost : public pirune::Host {
 public:
  void Say(const std::string&) override {}
  void ShowText(const std::string&, int, int&) override {}
  void ShowMessage(const std::string&, const std::string&) override {}
  void Warn(const std::string&) override {}
  pirune::ErrorChoice ShowErrorDialog(const std::string&, bool) override { return pirune::ErrorChoice::Quit; }
  void ShowMainWindow() override {}
  void CloseMainWindow() override {}
  void ProcessMessages() override {}
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  SilentHost host;
  pirune::TPiruBase state;
  state.host = &host;
  state.FileName = "fuzz.prw";
  state.StepBudget = 20000;  // loops may be written to run for ever
  state.Source.assign(reinterpret_cast<const char*>(data), size);
  pirune::ErrorLog().clear();
  try {
    pirune::RegisterAll(state);
    pirune::PrepareMainProgram(state);
  } catch (const pirune::Exception&) {
    return 0;  // the start reports it and ends
  }
  pirune::RunLoop(state);
  return 0;
}
