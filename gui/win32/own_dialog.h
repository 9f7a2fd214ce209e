// What the script's own dialogs share: a window of the dialog manager under a class
// name of ours, controls placed in pixels, placement on the screen, and a modal loop.
// The loop dispatches every window's messages while the dialog is up, so the main
// window keeps painting and events reach their handlers as the interpreter allows.
// A dialog is made for each call and destroyed after it: a handler that runs while one
// is up may open the same kind of dialog again without disturbing the first.
#pragma once
#include <windows.h>

#include <string>

#include "gui/dialog_look.h"

namespace pirune {

class OwnDialog {
 public:
  OwnDialog(const OwnDialog&) = delete;
  OwnDialog& operator=(const OwnDialog&) = delete;

 protected:
  // OWNER: the main window, or null once it is gone. CLASS_NAME names the window class.
  OwnDialog(HWND owner, const wchar_t* class_name);
  virtual ~OwnDialog();

  // Makes the window, lets Build lay it out, shows it and waits until End. False when
  // the window could not be made (the caller then answers as if it was cancelled).
  bool RunModal(DWORD style, const std::wstring& caption);

  // Adds the controls and sets the client size and the place (SetClientSize, Centre…).
  virtual void Build() = 0;
  // A control's WM_COMMAND (IDOK for Enter, IDCANCEL for Escape); true when handled.
  virtual bool OnCommand(int id, int code, HWND control) = 0;
  // Any other message; FALSE leaves it to the dialog manager.
  virtual INT_PTR OnMessage(UINT message, WPARAM wparam, LPARAM lparam);
  // The close box, Alt+F4 and the system menu.
  virtual void OnClose() { End(); }

  HWND AddControl(const wchar_t* window_class, const std::wstring& text, DWORD style, DWORD ex_style, int id,
                  int x, int y, int width, int height, HFONT font);
  void SetClientSize(int width, int height);
  int WindowWidth() const;
  int WindowHeight() const;
  void MoveWindowTo(int left, int top);
  // Centres the window on the screen (a negative top made 0 when KEEP_TOP), then lets
  // the dialog rectangle move and size it, always within the screen.
  void PlaceOnScreen(const DialogRect& rect, bool keep_top = false);
  // The IME mode of "ダイアログIMEの状態" given to a text field.
  static void SetImeMode(HWND field, int mode);
  // The control that has the focus when the dialog appears; a text field's text is
  // selected then, unless SELECT_TEXT is false.
  void SetInitialFocus(HWND control, bool select_text = true) {
    initial_focus_ = control;
    select_initial_text_ = select_text;
  }
  void End() { done_ = true; }
  // The colour of the text in labels, fields and lists ("文字色").
  void SetTextColour(COLORREF colour) { text_colour_ = colour; }

  HWND Window() const { return hwnd_; }
  HWND Owner() const { return owner_; }

 private:
  static INT_PTR CALLBACK DialogProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam);
  INT_PTR Handle(UINT message, WPARAM wparam, LPARAM lparam);

  HWND owner_;
  const wchar_t* class_name_;
  HWND hwnd_ = nullptr;
  HWND initial_focus_ = nullptr;
  bool select_initial_text_ = true;
  bool done_ = false;
  COLORREF text_colour_ = 0;
};

// The main window's width, for layouts that depend on it (the screen's without one).
int OwnerWidth(HWND owner);

// Text extents in a font: a single line's width, and a block's width and height with
// its line breaks (a label's size when it fits its text).
SIZE TextLineSize(HFONT font, const std::wstring& text);
SIZE TextBlockSize(HFONT font, const std::wstring& text);

}  // namespace pirune
