// The host: what the interpreter asks of the user interface. The Win32 GUI runtime
// and the console runtime each implement it; the engine sees only this interface.
// All text is Shift_JIS.
#pragma once
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "gui/dialog_look.h"
#include "gui/input_list.h"

namespace pirune {

enum class ErrorChoice { Continue, Quit, Debug };

class Host {
 public:
  virtual ~Host() = default;

  // "言う": shows the text and waits until the user has seen it.
  virtual void Say(const std::string& text) = 0;

  // "表示" on the main window: draws the text at (x, y), a line at a time, and
  // advances y past the lines drawn.
  virtual void ShowText(const std::string& text, int x, int& y) = 0;

  // A plain message box with a caption (start-up failures and the like).
  virtual void ShowMessage(const std::string& text, const std::string& caption) = 0;

  // A warning appended to the error log; shown only where the host wants it.
  virtual void Warn(const std::string& text) = 0;

  // The error dialog, showing the whole error log; answers the button chosen.
  virtual ErrorChoice ShowErrorDialog(const std::string& log, bool debug_button) = 0;

  // "ボタンで選択" and the security question: the index of the button pressed, or -1 when the dialog was closed without one.
  virtual int SelectButton(const std::string& message, const std::vector<std::string>& choices) = 0;

  // The standard dialogs. Each waits until the user has answered; none means the
  // dialog was cancelled or closed without an answer.
  // The look of the dialogs that follow (caption, rectangle, text font, IME mode).
  virtual void SetDialogLook(const DialogLook& look) = 0;
  // "尋ねる": the text typed, starting from INITIAL.
  virtual std::optional<std::string> AskText(const std::string& message, const std::string& initial) = 0;
  // "二択" and, WITH_CANCEL, "三択": 1 for yes, 0 for no, 2 for cancel.
  virtual int AskYesNo(const std::string& question, bool with_cancel) = 0;
  // "どれか尋ねる" (FREE_TEXT: anything may be typed) and "リストから選択".
  virtual std::optional<std::string> SelectFromList(const std::string& message, const std::vector<std::string>& items,
                                                    const std::string& initial, bool free_text) = 0;
  // "メモ記入": the text as edited (closing the window keeps the edits).
  virtual std::optional<std::string> EditMemo(const std::string& text) = 0;
  // "項目記入": false unless the user confirmed; the values are edited in place.
  virtual bool EditInputList(InputList& list) = 0;
  // "色選択": 0x00BBGGRR.
  virtual std::optional<std::uint32_t> ChooseColour() = 0;
  // "フォント選択": the font as a specification (face|styles|size).
  virtual std::optional<std::string> ChooseTextFont() = 0;
  // "読込ファイル選択" (SAVE false: several paths, one per line) and "書込ファイル選択".
  // FILTER as the file filter builds it; INITIAL: the file name to start with, if any.
  virtual std::optional<std::string> ChooseFile(bool save, const std::string& filter, const std::string& initial) = 0;
  // "フォルダ選択" (ROOT empty, starting in the working folder) and "フォルダ拡張選択"
  // (rooted at ROOT, the desktop when empty, with SHELL true).
  virtual std::optional<std::string> ChooseFolder(const std::string& root, bool shell) = 0;
  // "プリンタ設定": whether the user confirmed.
  virtual bool PrinterSetup() = 0;

  // The main window's placement, kept by the window-position record: its state (0
  // normal, 1 minimized, 2 maximized) and its bounds in the normal state, in pixels.
  struct WindowPlacement {
    int state = 0, top = 0, left = 0, height = 0, width = 0;
  };
  virtual WindowPlacement MainWindowPlacement() = 0;
  virtual void PlaceMainWindow(const WindowPlacement& placement) = 0;

  // Shows the main window (the start shows it unless the script does so itself).
  virtual void ShowMainWindow() = 0;

  // Asks the main window to close, which ends the program once the run returns.
  virtual void CloseMainWindow() = 0;

  // Lets pending window messages run.
  virtual void ProcessMessages() = 0;

  // The script timer ("タイマー設定"): fires once, `ms` milliseconds from now, in place of
  // any earlier setting; 0 stops it. A host without events never fires it.
  virtual void SetScriptTimer(std::uint32_t ms) { (void)ms; }

  // "待つ": lets events run for `ms` milliseconds, or until the program has ended.
  virtual void Wait(std::uint32_t ms) { (void)ms; }

  // The progress window of long transfers. It does not wait: the caller goes on with its
  // work and reports to it. MESSAGE is one line under the bar; the stop button is
  // enabled exactly when STOP is given, and pressing it calls STOP. A host without
  // windows shows nothing.
  virtual void ShowProgress(const std::string& message, std::function<void()> stop) {
    (void)message;
    (void)stop;
  }
  // The bar's maximum (the expected size; none when not positive) and position (the
  // count so far); then lets pending window messages run, as a transfer must between
  // its steps.
  virtual void SetProgress(std::int64_t maximum, std::int64_t position) {
    (void)maximum;
    (void)position;
    ProcessMessages();
  }
  virtual void SetProgressMessage(const std::string& message) { (void)message; }
  // Closes it when the transfer ends or fails; nothing when it is not shown.
  virtual void CloseProgress() {}
};

}  // namespace pirune
