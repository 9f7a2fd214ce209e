// Fuzz target: any bytes as a script are prepared and run twice, once with the run's
// shortcuts (decode caches, quick readings of numbers) and once without them. A script
// error is fine; a crash, a hang, a bad memory access or two runs that disagree is not.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <new>
#include <optional>
#include <string>
#include <string_view>

#include "engine/errors.h"
#include "engine/fast_paths.h"
#include "engine/piru_base.h"
#include "engine/preprocess.h"
#include "engine/registry.h"
#include "engine/script_file.h"
#include "engine/statement.h"
#include "gui/host.h"
#include "library/clock.h"
#include "library/date_time.h"
#include "library/math/decimal_places.h"
#include "library/random.h"

namespace {

constexpr std::uint64_t kStepBudget = 20000;  // loops may be written to run for ever
constexpr int kDialogsContinued = 8;

// Writes down, in order, everything the script shows. The shortcuts save steps and
// allocations, so the budget may run out at different points of the two runs: what a run
// does after that (it only unwinds) is left out.
class RecordingHost : public pirune::Host {
 public:
  explicit RecordingHost(const pirune::TPiruBase& state) : state_(state) {}

  void Say(const std::string& text) override { Note("say", text); }
  void ShowText(const std::string& text, int x, int& y) override {
    Note("text at " + std::to_string(x) + "," + std::to_string(y), text);
  }
  void ShowMessage(const std::string& text, const std::string& caption) override { Note("message " + caption, text); }
  void Warn(const std::string& text) override { Note("warning", text); }
  pirune::ErrorChoice ShowErrorDialog(const std::string& log, bool debug_button) override {
    Note(debug_button ? "error dialog with debugging" : "error dialog", log);
    // Going on after an error reaches more of the language than ending the run, but every
    // dialog shows the whole log: a script failing at every step would take quadratic time.
    return ++dialogs_ <= kDialogsContinued ? pirune::ErrorChoice::Continue : pirune::ErrorChoice::Quit;
  }
  void ShowMainWindow() override { Note("main window shown", ""); }
  void CloseMainWindow() override { Note("main window closed", ""); }
  void ProcessMessages() override {}

  const std::string& Transcript() const { return transcript_; }

 private:
  void Note(const std::string& what, const std::string& text) {
    if (state_.StepBudget == 0) return;
    transcript_ += what;
    transcript_ += ": ";
    transcript_ += text;
    transcript_ += '\n';
  }

  const pirune::TPiruBase& state_;
  std::string transcript_;
  int dialogs_ = 0;
};

// Texts may double in a loop until memory runs out, which the runtime reports as the
// script's own error. The sanitizer's allocator would end the whole fuzzing run instead of
// throwing, so the target allocates through malloc, failing past a bound the way a full
// memory fails; the sanitizer still watches every block.
constexpr std::size_t kLargestAllocation = std::size_t{4} << 20;

// A few steps can copy long texts many times over (an error label whose message quotes
// the last message grows it at every round), so the work of a run is bounded too: past
// this many bytes allocated, the run ends at its next step as when its steps run out.
constexpr std::uint64_t kAllocationBudget = std::uint64_t{16} << 20;
pirune::TPiruBase* running = nullptr;
std::uint64_t allocated = 0;

void* Allocate(std::size_t size) noexcept {
  if (running) {  // the fuzzer's own tables are none of the script's business
    if (size > kLargestAllocation) return nullptr;
    allocated += size;
    if (allocated > kAllocationBudget && running->StepBudget > 1) running->StepBudget = 1;
  }
  return std::malloc(size ? size : 1);
}

struct Outcome {
  std::string transcript;
  std::string log;  // compared only when neither run was cut short: a cut run logs on as it unwinds
  int exit_code = 0;
  bool cut_short = false;  // the budget of steps or allocations ran out
};

Outcome Run(const std::string& script, bool fast_paths) {
  pirune::SetFastPaths(fast_paths);
  // Both runs must draw the same numbers and read the same time.
  pirune::RunRandom().Seed(1);
  pirune::StopClock({2003, 12, 29, 10, 20, 30, 0}, 123456);
  pirune::TPiruBase state;
  RecordingHost host(state);
  state.host = &host;
  state.FileName = "fuzz.prw";
  state.StepBudget = kStepBudget;
  state.Source = script;
  pirune::ErrorLog().clear();
  running = &state;
  allocated = 0;
  bool prepared = true;
  try {
    pirune::RegisterAll(state);
    pirune::PrepareMainProgram(state);
  } catch (const pirune::Exception&) {
    prepared = false;  // the start reports it and ends
  }
  if (prepared) pirune::RunLoop(state);
  running = nullptr;
  Outcome outcome;
  outcome.transcript = host.Transcript();
  outcome.log = std::string(std::string_view(pirune::ErrorLog()));
  outcome.exit_code = state.ExitCode;
  outcome.cut_short = state.StepBudget == 0;
  return outcome;
}

bool StartsWith(const std::string& text, const std::string& start) {
  return text.size() >= start.size() && text.compare(0, start.size(), start) == 0;
}

// A run cut short by the budget showed the beginning of what the other run showed.
bool Begins(const Outcome& whole, const Outcome& part) { return StartsWith(whole.transcript, part.transcript); }

bool Agree(const Outcome& a, const Outcome& b) {
  if (!a.cut_short && !b.cut_short)
    return a.transcript == b.transcript && a.log == b.log && a.exit_code == b.exit_code;
  if (!b.cut_short) return Begins(b, a);
  if (!a.cut_short) return Begins(a, b);
  return Begins(a, b) || Begins(b, a);
}

void Print(const char* title, const Outcome& outcome) {
  std::fprintf(stderr, "--- %s%s, exit code %d\n", title, outcome.cut_short ? " (budget ran out)" : "",
               outcome.exit_code);
  std::fputs("shown:\n", stderr);
  std::fwrite(outcome.transcript.data(), 1, outcome.transcript.size(), stderr);
  std::fputs("error log:\n", stderr);
  std::fwrite(outcome.log.data(), 1, outcome.log.size(), stderr);
  std::fputs("\n", stderr);
}

[[noreturn]] void Broken(const char* what, const std::string& input) {
  std::fprintf(stderr, "%s (input in Shift_JIS):\n", what);
  std::fwrite(input.data(), 1, input.size(), stderr);
  std::fputs("\n", stderr);
  std::abort();
}

// The readers of dates, times and offsets and the decimal rounding take the input itself:
// they must fail cleanly or give what reads back the same.
void CheckReaders(const std::string& input) {
  if (std::optional<pirune::TDateTime> t = pirune::ReadDateTime(input, 2003)) {
    std::string written = pirune::WriteDate(*t) + " " + pirune::WriteTime(*t);
    if (pirune::ReadDateTime(written, 2003) != *t) Broken("a date-time read does not read back as written", input);
    for (char separator : {':', '/'}) {
      try {
        pirune::TOffset offset = pirune::ReadOffset(input.substr(input.size() / 2), separator);
        pirune::TDateTime moved = separator == ':' ? pirune::AddTime(*t, offset) : pirune::AddDate(*t, offset);
        if (pirune::ReadDateTime(pirune::WriteDate(moved), 2003) != moved - pirune::TimeOfDay(moved))
          Broken("a date reached by an offset does not read back", input);
      } catch (const pirune::Exception&) {
      }
    }
  }
  pirune::Number a = pirune::StrToValue(input);
  std::int64_t places = static_cast<std::int64_t>(input.size() % 64) - 20;
  for (pirune::TPlaces how : {pirune::TPlaces::Truncate, pirune::TPlaces::HalfEven}) {
    pirune::Number r = pirune::ToDecimalPlaces(a, places, how);
    if (!std::isfinite(r) || std::fabs(r) > std::fabs(a) * 2 + 1) Broken("decimal places gave no sound number", input);
  }
}

}  // namespace

void* operator new(std::size_t size) {
  if (void* block = Allocate(size)) return block;
  throw std::bad_alloc();
}
void* operator new(std::size_t size, const std::nothrow_t&) noexcept { return Allocate(size); }
void operator delete(void* block) noexcept { std::free(block); }
void operator delete(void* block, std::size_t) noexcept { std::free(block); }
void operator delete(void* block, const std::nothrow_t&) noexcept { std::free(block); }

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string input(reinterpret_cast<const char*>(data), size);
  CheckReaders(input);
  // Every program text the runtime makes has its lines joined so, whatever ended them.
  std::string script = pirune::JoinLines(input);
  Outcome fast = Run(script, true);
  Outcome general = Run(script, false);
  pirune::SetFastPaths(true);
  if (!Agree(fast, general)) {
    std::fprintf(stderr, "The run with the shortcuts and the run without them disagree (texts in Shift_JIS).\n");
    Print("with the shortcuts", fast);
    Print("without them", general);
    std::abort();
  }
  return 0;
}
