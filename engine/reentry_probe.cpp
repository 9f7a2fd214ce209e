#include "engine/reentry_probe.h"

#include <memory>
#include <string>

#include "engine/handler_run.h"
#include "engine/nesting.h"
#include "engine/piru_base.h"
#include "engine/preprocess.h"
#include "engine/program_text.h"
#include "gui/host.h"

namespace pirune {
namespace {

// Exercises what a handler shares with the code it interrupts (the word stack, binding,
// blocks and their records, line ends, the kept readings of statements) through a local
// variable only, which goes with the handler's scope.
const char kProbeSource[] =
    "局所を、ローカル変数\r\n"
    "局所=「a」\r\n"
    "もし、局所が「a」ならば\r\n"
    "  局所=局所&「b」\r\n"
    "違えば\r\n"
    "  局所=「c」\r\n"
    "戻る\r\n";

class TReentryProbe : public Host {
 public:
  TReentryProbe(TPiruBase& state, Host* inner) : state_(state), inner_(inner) {
    text_ = MakeProgramText(Preprocess(state, kProbeSource));
  }

  void Fire() {
    // Near the bound on nesting the probe would be what exceeds it, and a script that
    // recurses that deep must fail where it does without the probe.
    constexpr int kProbeDepth = 8;
    if (firing_ || state_.Ended || state_.Nesting > kMaxNesting - kProbeDepth) return;
    firing_ = true;
    RunHandler(state_, TextPos{text_.get(), 0});
    firing_ = false;
  }

  // Whatever waits for the user lets events run first.
  void Say(const std::string& text) override {
    Fire();
    if (inner_) inner_->Say(text);
  }
  void ShowText(const std::string& text, int x, int& y) override {
    if (inner_) inner_->ShowText(text, x, y);
  }
  void ShowMessage(const std::string& text, const std::string& caption) override {
    Fire();
    if (inner_) inner_->ShowMessage(text, caption);
  }
  void Warn(const std::string& text) override {
    if (inner_) inner_->Warn(text);
  }
  WindowPlacement MainWindowPlacement() override {
    return inner_ ? inner_->MainWindowPlacement() : WindowPlacement{};
  }
  void PlaceMainWindow(const WindowPlacement& placement) override {
    if (inner_) inner_->PlaceMainWindow(placement);
  }
  ErrorChoice ShowErrorDialog(const std::string& log, bool debug_button) override {
    Fire();
    return inner_ ? inner_->ShowErrorDialog(log, debug_button) : ErrorChoice::Quit;
  }
  int SelectButton(const std::string& message, const std::vector<std::string>& choices) override {
    Fire();
    return inner_ ? inner_->SelectButton(message, choices) : -1;
  }
  void SetDialogLook(const DialogLook& look) override {
    if (inner_) inner_->SetDialogLook(look);
  }
  std::optional<std::string> AskText(const std::string& message, const std::string& initial) override {
    Fire();
    return inner_ ? inner_->AskText(message, initial) : std::nullopt;
  }
  int AskYesNo(const std::string& question, bool with_cancel) override {
    Fire();
    return inner_ ? inner_->AskYesNo(question, with_cancel) : 0;
  }
  std::optional<std::string> SelectFromList(const std::string& message, const std::vector<std::string>& items,
                                            const std::string& initial, bool free_text) override {
    Fire();
    return inner_ ? inner_->SelectFromList(message, items, initial, free_text) : std::nullopt;
  }
  std::optional<std::string> EditMemo(const std::string& text) override {
    Fire();
    return inner_ ? inner_->EditMemo(text) : std::nullopt;
  }
  bool EditInputList(InputList& list) override {
    Fire();
    return inner_ && inner_->EditInputList(list);
  }
  std::optional<std::uint32_t> ChooseColour() override {
    Fire();
    return inner_ ? inner_->ChooseColour() : std::nullopt;
  }
  std::optional<std::string> ChooseTextFont() override {
    Fire();
    return inner_ ? inner_->ChooseTextFont() : std::nullopt;
  }
  std::optional<std::string> ChooseFile(bool save, const std::string& filter, const std::string& initial) override {
    Fire();
    return inner_ ? inner_->ChooseFile(save, filter, initial) : std::nullopt;
  }
  std::optional<std::string> ChooseFolder(const std::string& root, bool shell) override {
    Fire();
    return inner_ ? inner_->ChooseFolder(root, shell) : std::nullopt;
  }
  bool PrinterSetup() override {
    Fire();
    return inner_ && inner_->PrinterSetup();
  }
  void ShowMainWindow() override {
    if (inner_) inner_->ShowMainWindow();
  }
  void CloseMainWindow() override {
    if (inner_) inner_->CloseMainWindow();
  }
  void ProcessMessages() override {
    Fire();
    if (inner_) inner_->ProcessMessages();
  }
  void SetScriptTimer(std::uint32_t ms) override {
    if (inner_) inner_->SetScriptTimer(ms);
  }
  void Wait(std::uint32_t ms) override {
    Fire();
    if (inner_) inner_->Wait(ms);
  }

 private:
  TPiruBase& state_;
  Host* inner_;
  ProgramText text_;
  bool firing_ = false;
};

}  // namespace

void InstallReentryProbe(TPiruBase& state) {
  auto probe = std::make_shared<TReentryProbe>(state, state.host);
  state.host = probe.get();
  state.ReentryProbe = [probe] { probe->Fire(); };
}

}  // namespace pirune
