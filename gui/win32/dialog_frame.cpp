#include "gui/win32/dialog_frame.h"

namespace pirune {

bool RegisterDialogClass(HINSTANCE instance, const wchar_t* class_name) {
  WNDCLASSEXW probe{};
  probe.cbSize = sizeof probe;
  if (GetClassInfoExW(instance, class_name, &probe)) return true;
  WNDCLASSEXW window_class{};
  window_class.cbSize = sizeof window_class;
  window_class.lpfnWndProc = DefDlgProcW;
  window_class.cbWndExtra = DLGWINDOWEXTRA;
  window_class.hInstance = instance;
  window_class.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  window_class.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  window_class.lpszClassName = class_name;
  return RegisterClassExW(&window_class) != 0;
}

std::vector<WORD> DialogTemplate(DWORD style, DWORD ex_style, const wchar_t* class_name,
                                 const std::wstring& caption) {
  std::vector<WORD> words;
  auto dword = [&words](DWORD value) {
    words.push_back(LOWORD(value));
    words.push_back(HIWORD(value));
  };
  auto text = [&words](std::wstring_view value) {
    for (wchar_t unit : value) words.push_back(static_cast<WORD>(unit));
    words.push_back(0);
  };
  words.reserve(16 + caption.size());
  dword(style);
  dword(ex_style);
  words.push_back(0);  // no items
  for (int i = 0; i < 4; ++i) words.push_back(0);  // x, y, cx, cy: set in pixels later
  words.push_back(0);  // no menu
  text(class_name);
  text(caption);
  return words;
}

OwnerNotTopmost::OwnerNotTopmost(HWND owner) {
  if (owner && (GetWindowLongPtrW(owner, GWL_EXSTYLE) & WS_EX_TOPMOST)) {
    owner_ = owner;
    SetWindowPos(owner_, HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  }
}

OwnerNotTopmost::~OwnerNotTopmost() {
  if (owner_ && IsWindow(owner_))
    SetWindowPos(owner_, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

HWND CreateDialogWindow(HWND owner, const wchar_t* class_name, DWORD style, const std::wstring& caption,
                        DLGPROC proc, LPARAM param) {
  HINSTANCE instance = GetModuleHandleW(nullptr);
  if (!RegisterDialogClass(instance, class_name)) return nullptr;
  // Without a visible owner nothing on the taskbar would lead back to the dialog.
  const DWORD ex_style = owner && IsWindowVisible(owner) ? 0 : WS_EX_APPWINDOW;
  const std::vector<WORD> dialog_template = DialogTemplate(style, ex_style, class_name, caption);
  return CreateDialogIndirectParamW(instance, reinterpret_cast<LPCDLGTEMPLATEW>(dialog_template.data()), owner, proc,
                                    param);
}

ModalShowing::ModalShowing(HWND dialog, HWND owner)
    : dialog_(dialog),
      owner_(owner),
      previous_focus_(GetFocus()),
      disable_owner_(owner && IsWindowEnabled(owner)),
      not_topmost_(owner) {
  if (disable_owner_) EnableWindow(owner_, FALSE);
  ShowWindow(dialog_, SW_SHOW);
  SetForegroundWindow(dialog_);
}

ModalShowing::~ModalShowing() {
  if (disable_owner_) EnableWindow(owner_, TRUE);
  DestroyWindow(dialog_);
  if (previous_focus_ && IsWindow(previous_focus_))
    SetFocus(previous_focus_);
  else if (owner_ && IsWindowVisible(owner_))
    SetActiveWindow(owner_);
}

bool RunDialogMessages(HWND dialog, const std::function<bool()>& done,
                       const std::function<bool(const MSG&)>& filter) {
  MSG message;
  while (!done()) {
    const BOOL got = GetMessageW(&message, nullptr, 0, 0);
    if (got <= 0) {
      if (got == 0) PostQuitMessage(static_cast<int>(message.wParam));
      return false;
    }
    if (filter && filter(message)) continue;
    if (IsDialogMessageW(dialog, &message)) continue;
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  return true;
}

}  // namespace pirune
