// The Win32 GUI host: the interpreter's requests carried out with the main window,
// standard message boxes and the error dialog.
#pragma once
#include <windows.h>

#include <memory>
#include <string>

#include "gui/host.h"
#include "gui/win32/main_window.h"
#include "gui/win32/progress_window.h"
#include "gui/win32/test_log.h"

namespace pirune {

class Win32Host final : public Host {
 public:
  explicit Win32Host(TfrmPiru& form);

  void Say(const std::string& text) override;
  void ShowText(const std::string& text, int x, int& y) override;
  void ShowMessage(const std::string& text, const std::string& caption) override;
  void Warn(const std::string& text) override;
  ErrorChoice ShowErrorDialog(const std::string& log, bool debug_button) override;
  int SelectButton(const std::string& message, const std::vector<std::string>& choices) override;
  // The dialogs (win32_dialogs.cpp).
  void SetDialogLook(const DialogLook& look) override { look_ = look; }
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
  bool PrinterSetup() override;
  WindowPlacement MainWindowPlacement() override;
  void PlaceMainWindow(const WindowPlacement& placement) override;
  void ShowMainWindow() override;
  void CloseMainWindow() override;
  void ProcessMessages() override;
  void SetScriptTimer(std::uint32_t ms) override;
  void Wait(std::uint32_t ms) override;
  void ShowProgress(const std::string& message, std::function<void()> stop) override;
  void SetProgress(std::int64_t maximum, std::int64_t position) override;
  void SetProgressMessage(const std::string& message) override;
  void CloseProgress() override;

  // True under the PIRUNE_TEST_LOG switch (see test_log.h).
  bool Testing() const { return test_log_.Active(); }

 private:
  // A modal box owned by the main window; under test, only its text is logged.
  void Box(const std::string& text, const std::wstring& caption, UINT flags);
  HWND Owner() const;

  // The caption the own dialogs take: "ダイアログタイトル", else the main window's.
  std::wstring DialogCaption() const;

  TfrmPiru& form_;
  TestLog test_log_;
  DialogLook look_;
  // What a call leaves for the next: the last file name, colour and font chosen.
  std::wstring last_file_;
  COLORREF last_colour_ = 0;
  COLORREF custom_colours_[16] = {};
  LOGFONTW last_font_{};
  // The progress window while a transfer shows it.
  std::unique_ptr<TfrmProg> progress_;
};

}  // namespace pirune
