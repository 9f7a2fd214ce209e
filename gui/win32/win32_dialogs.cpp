// The Windows runtime's dialogs: the own dialogs in the text font, the system's for
// yes/no questions, colours, fonts, files, folders and the printer. Under the test log
// switch nobody can answer: each question is recorded and answered as if cancelled.
#include "gui/file_filter.h"
#include "gui/say_text.h"
#include "gui/win32/dialog_font.h"
#include "gui/win32/edit_dialogs.h"
#include "gui/win32/select_button_dialog.h"
#include "gui/win32/text_dialogs.h"
#include "gui/win32/win32_host.h"
#include "platform/platform.h"
#include "platform/win32/wide.h"

#include <commdlg.h>
#include <shlobj.h>

namespace pirune {

namespace {

// The text font of one dialog call, released when the call is over.
struct FontHolder {
  explicit FontHolder(const FontSpec& spec) : font(CreateSpecifiedFont(spec)) {}
  ~FontHolder() {
    if (font) DeleteObject(font);
  }
  FontHolder(const FontHolder&) = delete;
  FontHolder& operator=(const FontHolder&) = delete;
  HFONT font;
};

std::vector<std::wstring> Widened(const std::vector<std::string>& texts) {
  std::vector<std::wstring> wide;
  wide.reserve(texts.size());
  for (const std::string& text : texts) wide.push_back(win32::Widen(text));
  return wide;
}

// "a|b|c|d" as the double-NUL list the file dialogs take.
std::wstring FilterList(const std::string& filter) {
  std::wstring list = win32::Widen(filter);
  for (wchar_t& unit : list)
    if (unit == L'|') unit = L'\0';
  list += L'\0';
  list += L'\0';
  return list;
}

}  // namespace

std::wstring Win32Host::DialogCaption() const {
  return look_.caption.empty() ? form_.Caption() : win32::Widen(look_.caption);
}

void Win32Host::Say(const std::string& text) {
  if (test_log_.Active()) {
    test_log_.Append(text);
    return;
  }
  const FontHolder font(look_.font);
  const DialogSetup setup{Owner(), DialogCaption(), font.font, &look_};
  TfrmMsgBox::Show(setup, SayText(text, look_.tab_width));
}

int Win32Host::SelectButton(const std::string& message, const std::vector<std::string>& choices) {
  if (test_log_.Active()) {
    test_log_.Append(message);
    return -1;
  }
  const FontHolder font(look_.font);
  const DialogSetup setup{Owner(), DialogCaption(), font.font, &look_};
  return TfrmSelectButton::Show(setup, win32::Widen(message), Widened(choices));
}

std::optional<std::string> Win32Host::AskText(const std::string& message, const std::string& initial) {
  if (test_log_.Active()) {
    test_log_.Append(message);
    return std::nullopt;
  }
  const FontHolder font(look_.font);
  const DialogSetup setup{Owner(), DialogCaption(), font.font, &look_};
  const std::optional<std::wstring> answer = TfrmInputBox::Show(setup, win32::Widen(message), win32::Widen(initial));
  if (!answer) return std::nullopt;
  return win32::Narrow(*answer);
}

int Win32Host::AskYesNo(const std::string& question, bool with_cancel) {
  if (test_log_.Active()) {
    test_log_.Append(question);
    return with_cancel ? 2 : 0;
  }
  const int answer = MessageBoxW(Owner(), win32::Widen(question).c_str(), form_.Caption().c_str(),
                                 (with_cancel ? MB_YESNOCANCEL : MB_YESNO) | MB_ICONQUESTION);
  if (answer == IDYES) return 1;
  if (answer == IDNO) return 0;
  return with_cancel ? 2 : 0;
}

std::optional<std::string> Win32Host::SelectFromList(const std::string& message, const std::vector<std::string>& items,
                                                     const std::string& initial, bool free_text) {
  if (test_log_.Active()) {
    test_log_.Append(message);
    return std::nullopt;
  }
  const FontHolder font(look_.font);
  const DialogSetup setup{Owner(), DialogCaption(), font.font, &look_};
  const std::optional<std::wstring> answer =
      TfrmSelectDialog::Show(setup, win32::Widen(message), Widened(items), win32::Widen(initial), free_text);
  if (!answer) return std::nullopt;
  return win32::Narrow(*answer);
}

std::optional<std::string> Win32Host::EditMemo(const std::string& text) {
  if (test_log_.Active()) {
    test_log_.Append(text);
    return text;
  }
  const FontHolder font(look_.font);
  const DialogSetup setup{Owner(), DialogCaption(), font.font, &look_};
  const std::optional<std::wstring> edited = TfrmMemoDialog::Show(setup, win32::Widen(text));
  if (!edited) return std::nullopt;
  return win32::Narrow(*edited);
}

bool Win32Host::EditInputList(InputList& list) {
  if (test_log_.Active()) {
    test_log_.Append(InputListResult(list.rows));
    return false;
  }
  const FontHolder font(look_.font);
  const DialogSetup setup{Owner(), DialogCaption(), font.font, &look_};
  return TfrmInputList::Show(setup, list);
}

std::optional<std::uint32_t> Win32Host::ChooseColour() {
  if (test_log_.Active()) return std::nullopt;
  CHOOSECOLORW dialog{};
  dialog.lStructSize = sizeof dialog;
  dialog.hwndOwner = Owner();
  dialog.rgbResult = last_colour_;
  dialog.lpCustColors = custom_colours_;
  dialog.Flags = CC_RGBINIT | CC_FULLOPEN;
  if (!ChooseColorW(&dialog)) return std::nullopt;
  last_colour_ = dialog.rgbResult;
  return static_cast<std::uint32_t>(dialog.rgbResult & 0xFFFFFF);
}

std::optional<std::string> Win32Host::ChooseTextFont() {
  if (test_log_.Active()) return std::nullopt;
  CHOOSEFONTW dialog{};
  dialog.lStructSize = sizeof dialog;
  dialog.hwndOwner = Owner();
  dialog.lpLogFont = &last_font_;
  dialog.Flags = CF_SCREENFONTS | CF_EFFECTS | (last_font_.lfFaceName[0] ? CF_INITTOLOGFONTSTRUCT : 0);
  if (!ChooseFontW(&dialog)) return std::nullopt;
  return FontSpecText(win32::Narrow(last_font_.lfFaceName), last_font_.lfWeight >= FW_BOLD, last_font_.lfItalic != 0,
                      last_font_.lfUnderline != 0, dialog.iPointSize / 10);
}

std::optional<std::string> Win32Host::ChooseFile(bool save, const std::string& filter, const std::string& initial) {
  if (test_log_.Active()) {
    test_log_.Append(filter);
    return std::nullopt;
  }
  if (!initial.empty()) last_file_ = win32::Widen(initial);
  // Room for many names chosen at once.
  std::vector<wchar_t> names(65536, L'\0');
  last_file_.copy(names.data(), std::min(last_file_.size(), names.size() - 1));
  const std::wstring filters = FilterList(filter);
  const std::wstring extension = win32::Widen(DefaultExtension(filter));
  const std::wstring folder = win32::Widen(platform::CurrentFolder());
  OPENFILENAMEW dialog{};
  dialog.lStructSize = sizeof dialog;
  dialog.hwndOwner = Owner();
  dialog.lpstrFilter = filters.c_str();
  dialog.nFilterIndex = 1;
  dialog.lpstrFile = names.data();
  dialog.nMaxFile = static_cast<DWORD>(names.size());
  dialog.lpstrInitialDir = folder.c_str();
  dialog.Flags = OFN_EXPLORER | OFN_HIDEREADONLY | OFN_ENABLESIZING;
  if (save) {
    dialog.Flags |= OFN_OVERWRITEPROMPT;
    if (!extension.empty()) dialog.lpstrDefExt = extension.c_str();
    if (!GetSaveFileNameW(&dialog)) return std::nullopt;
    last_file_ = names.data();
    return win32::NarrowPath(names.data());
  }
  dialog.Flags |= OFN_ALLOWMULTISELECT | OFN_FILEMUSTEXIST;
  if (!GetOpenFileNameW(&dialog)) return std::nullopt;
  // One name, or the folder followed by the names, NUL between, two NULs at the end.
  const std::wstring first = names.data();
  std::vector<std::wstring> chosen;
  for (const wchar_t* name = names.data() + first.size() + 1; *name; name += wcslen(name) + 1) chosen.push_back(name);
  if (chosen.empty()) {
    last_file_ = first;
    return win32::NarrowPath(first);
  }
  std::string paths;
  const std::wstring folder_part = first.back() == L'\\' ? first : first + L'\\';
  for (const std::wstring& name : chosen) {
    if (!paths.empty()) paths += "\r\n";
    paths += win32::NarrowPath(folder_part + name);
  }
  last_file_ = chosen.front();
  return paths;
}

std::optional<std::string> Win32Host::ChooseFolder(const std::string& root, bool shell) {
  if (test_log_.Active()) return std::nullopt;
  const std::wstring start = win32::Widen(shell ? root : platform::CurrentFolder());
  const std::wstring title = form_.Caption();
  BROWSEINFOW browse{};
  browse.hwndOwner = Owner();
  browse.lpszTitle = title.c_str();
  browse.ulFlags = BIF_RETURNONLYFSDIRS | BIF_NEWDIALOGSTYLE | (shell ? 0 : BIF_EDITBOX);
  PIDLIST_ABSOLUTE root_list = nullptr;
  if (!start.empty() && shell) SHParseDisplayName(start.c_str(), nullptr, &root_list, 0, nullptr);
  browse.pidlRoot = root_list;
  const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  PIDLIST_ABSOLUTE picked = SHBrowseForFolderW(&browse);
  std::optional<std::string> folder;
  wchar_t path[MAX_PATH] = L"";
  if (picked && SHGetPathFromIDListW(picked, path)) folder = win32::NarrowPath(path);
  if (picked) CoTaskMemFree(picked);
  if (root_list) CoTaskMemFree(root_list);
  if (SUCCEEDED(com)) CoUninitialize();
  return folder;
}

bool Win32Host::PrinterSetup() {
  if (test_log_.Active()) return false;
  PRINTDLGW dialog{};
  dialog.lStructSize = sizeof dialog;
  dialog.hwndOwner = Owner();
  dialog.Flags = PD_PRINTSETUP;
  const bool confirmed = PrintDlgW(&dialog) != 0;
  if (dialog.hDevMode) GlobalFree(dialog.hDevMode);
  if (dialog.hDevNames) GlobalFree(dialog.hDevNames);
  return confirmed;
}

}  // namespace pirune
