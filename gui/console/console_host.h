// The console runtime's host: text goes to the terminal as UTF-8, dialogs are answered
// on the terminal. There is no window to keep the program alive: it ends once nothing
// can fire any more, and an interrupt or SIGTERM asks it to close.
#pragma once
#include <cstdint>
#include <cstdio>
#include <functional>

#include "gui/host.h"

namespace pirune {

class ConsoleHost : public Host {
 public:
  void Say(const std::string& text) override;
  void ShowText(const std::string& text, int x, int& y) override;
  void ShowMessage(const std::string& text, const std::string& caption) override;
  void Warn(const std::string& text) override;
  ErrorChoice ShowErrorDialog(const std::string& log, bool debug_button) override;
  int SelectButton(const std::string& message, const std::vector<std::string>& choices) override;
  void SetDialogLook(const DialogLook&) override {}
  std::optional<std::string> AskText(const std::string& message, const std::string& initial) override;
  int AskYesNo(const std::string& question, bool with_cancel) override;
  std::optional<std::string> SelectFromList(const std::string& message, const std::vector<std::string>& items,
                                            const std::string& initial, bool free_text) override;
  std::optional<std::string> EditMemo(const std::string& text) override;
  bool EditInputList(InputList& list) override;
  std::optional<std::uint32_t> ChooseColour() override;
  std::optional<std::string> ChooseTextFont() override;
  std::optional<std::string> ChooseFile(bool save, const std::string& filter, const std::string& initial) override;
  std::optional<std::string> ChooseFolder(const std::string& root, bool shell) override;
  // No printer is set up from a terminal: always "not confirmed".
  bool PrinterSetup() override { return false; }
  // The console has no window: its placement is notional, kept as a script set it, so
  // a record saved and restored reads back alike in both runtimes.
  WindowPlacement MainWindowPlacement() override { return placement_; }
  void PlaceMainWindow(const WindowPlacement& placement) override { placement_ = placement; }
  void ShowMainWindow() override {}
  void CloseMainWindow() override { ended_ = true; }
  void ProcessMessages() override;
  void SetScriptTimer(std::uint32_t ms) override;
  void Wait(std::uint32_t ms) override;
  // The progress window is not shown on a terminal (standard output and standard error
  // carry only what the script says and asks): the host's defaults draw nothing, and a
  // transfer's progress still lets due events run.

  // Where events go: the script timer's tick and the close request (an interrupt or
  // SIGTERM), which answers whether the program may end.
  void OnEvents(std::function<void()> timer, std::function<bool()> close_request);

  // After the first run: serves events until the program ends. With nothing left that
  // could ever fire (no timer set), the program ends as a window closed by its user
  // would: the close request runs the end handler, and if that refuses and sets no timer
  // either, nothing can happen any more and the program ends all the same.
  void ServeEvents();

 private:
  // Runs what is due now: a close request from a signal, then the timer.
  void ServeDue();

  std::function<void()> timer_;
  std::function<bool()> close_request_;
  bool timer_set_ = false;
  std::int64_t timer_due_ = 0;
  bool ended_ = false;
  WindowPlacement placement_{0, 0, 0, 480, 640};
};

// Shift_JIS text as UTF-8 lines for a terminal: CR LF becomes LF.
std::string TerminalText(const std::string& sjis);

}  // namespace pirune
