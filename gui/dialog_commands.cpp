// The standard dialogs: the script asks its user, and finds the answer in "それ". Every
// dialog takes its look from the dialog settings as they are when the command runs;
// cancelling is never an error but gives "ダイアログキャンセルの値".
#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>
#include <optional>

#include "engine/command_api.h"
#include "gui/choice_lists.h"
#include "gui/dialog_look.h"
#include "gui/file_filter.h"
#include "gui/host.h"
#include "gui/input_list.h"
#include "gui/select_button_layout.h"
#include "platform/platform.h"
#include "platform/sjis_walk.h"

namespace pirune {
namespace {

std::string Setting(const TCommand& c, std::string_view name) {
  const THashNode* word = c.SystemVariable(name);
  return word ? word->GetValue() : std::string();
}

// A setting read as an integer: a text that is no integer counts as FALLBACK.
std::int64_t IntegerSetting(const TCommand& c, std::string_view name, std::int64_t fallback) {
  const std::string text = Setting(c, name);
  std::int64_t value;
  return StrToInteger(text, value) ? value : fallback;
}

std::uint32_t TextColour(const TCommand& c) {
  const std::string text = Setting(c, "文字色");
  if (!text.empty() && text[0] == '#') {
    // #RRGGBB, as colours are written for people; kept the other way round.
    const unsigned long rgb = std::strtoul(text.c_str() + 1, nullptr, 16) & 0xFFFFFF;
    return static_cast<std::uint32_t>(((rgb & 0xFF) << 16) | (rgb & 0xFF00) | ((rgb >> 16) & 0xFF));
  }
  return static_cast<std::uint32_t>(IntegerSetting(c, "文字色", 0));
}

// The host with the look of the dialog about to be shown; null when the run has none.
Host* DialogHost(TCommand& c) {
  Host* host = c.host();
  if (!host) return nullptr;
  DialogLook look;
  look.caption = Setting(c, "ダイアログタイトル");
  const auto& rect = c.DialogRect();
  look.rect = {rect[0], rect[1], rect[2], rect[3]};
  look.font = ParseFontSpec(Setting(c, "文字書体"));
  if (look.font.size <= 0) look.font.size = static_cast<int>(std::clamp<std::int64_t>(IntegerSetting(c, "文字サイズ", 12), 1, 1000));
  look.colour = TextColour(c);
  look.ime = static_cast<int>(std::clamp<std::int64_t>(IntegerSetting(c, "ダイアログIMEの状態", 0), -1, 5));
  const Number tab = std::trunc(StrToValue(Setting(c, "タブ文字の個数")));
  look.tab_width = std::isfinite(tab) ? static_cast<long long>(std::clamp<Number>(tab, -1, 1000)) : 8;
  host->SetDialogLook(look);
  return host;
}

// "それ" as a copy of the cancel value, its type mark too.
void Cancelled(TCommand& c) {
  const THashNode* value = c.SystemVariable("ダイアログキャンセルの値");
  if (value)
    c.Result(value->GetValue(), value->Mark.empty() ? std::string_view("s") : std::string_view(value->Mark));
  else
    c.Result("");
}

// The cancel value's text, as a string, for the dialogs whose results are all strings.
void CancelledAsText(TCommand& c) { c.Result(Setting(c, "ダイアログキャンセルの値"), "s"); }

void TextOrCancelled(TCommand& c, const std::optional<std::string>& answer) {
  if (answer)
    c.Result(*answer, "s");
  else
    Cancelled(c);
}

void Say(TCommand& c) {
  std::string text = c.Text(0);
  if (Host* host = DialogHost(c)) host->Say(text);
}

void Ask(TCommand& c) {
  const std::string message = c.Defaulted() ? std::string("入力してください。") : c.Text(0);
  Host* host = DialogHost(c);
  const std::optional<std::string> answer =
      host ? host->AskText(message, Setting(c, "ダイアログ初期値")) : std::nullopt;
  if (!answer) return Cancelled(c);
  const bool numeric = !answer->empty() && (((*answer)[0] >= '0' && (*answer)[0] <= '9') || (*answer)[0] == '$');
  c.Result(*answer, numeric ? "e" : "s");
}

void YesNo(TCommand& c, bool with_cancel) {
  const std::string question = c.Text(0);
  Host* host = DialogHost(c);
  c.ResultInteger(host ? host->AskYesNo(question, with_cancel) : (with_cancel ? 2 : 0));
}
void TwoWays(TCommand& c) { YesNo(c, false); }
void ThreeWays(TCommand& c) { YesNo(c, true); }

void FromList(TCommand& c, bool free_text) {
  const std::string message = c.Text(0);
  const std::vector<std::string> items = ListChoices(c.Text(1));
  c.Result("");
  Host* host = DialogHost(c);
  TextOrCancelled(c, host ? host->SelectFromList(message, items, Setting(c, "ダイアログ初期値"), free_text)
                          : std::nullopt);
}
void AskWhich(TCommand& c) { FromList(c, true); }
void SelectFromList(TCommand& c) { FromList(c, false); }

void SelectButton(TCommand& c) {
  const std::string message = c.Text(0);
  const std::string choices_text = c.Text(1);
  Host* host = DialogHost(c);
  if (choices_text.empty()) {
    if (host) host->Say(message);
    return c.Result("");
  }
  const std::vector<std::string> choices = ButtonChoices(choices_text);
  const int chosen = host && !choices.empty() ? host->SelectButton(message, choices) : -1;
  if (chosen >= 0 && static_cast<std::size_t>(chosen) < choices.size())
    c.Result(choices[static_cast<std::size_t>(chosen)], "s");
  else
    CancelledAsText(c);
}

void Memo(TCommand& c) {
  const std::string text = c.Text(0);
  Host* host = DialogHost(c);
  const std::optional<std::string> edited = host ? host->EditMemo(text) : std::nullopt;
  if (edited)
    c.Result(*edited, "s");
  else
    CancelledAsText(c);
}

void Items(TCommand& c) {
  InputList list = ParseInputList(c.Text(0));
  Host* host = DialogHost(c);
  if (host && host->EditInputList(list))
    c.Result(InputListResult(list.rows), "s");
  else
    CancelledAsText(c);
}

void Colour(TCommand& c) {
  Host* host = DialogHost(c);
  const std::optional<std::uint32_t> colour = host ? host->ChooseColour() : std::nullopt;
  if (colour)
    c.ResultInteger(*colour);
  else
    Cancelled(c);
}

void Font(TCommand& c) {
  Host* host = DialogHost(c);
  TextOrCancelled(c, host ? host->ChooseTextFont() : std::nullopt);
}

void File(TCommand& c, bool save) {
  const std::string filter = FileFilter(c.Text(0));
  Host* host = DialogHost(c);
  TextOrCancelled(c, host ? host->ChooseFile(save, filter, Setting(c, "ダイアログ初期値")) : std::nullopt);
}
void OpenFile(TCommand& c) { File(c, false); }
void SaveFile(TCommand& c) { File(c, true); }

void Folder(TCommand& c, const std::string& root, bool shell) {
  Host* host = DialogHost(c);
  std::optional<std::string> folder = host ? host->ChooseFolder(root, shell) : std::nullopt;
  if (!folder) return Cancelled(c);
  // The separator's byte may end a double-byte character (ソ): only a real one counts.
  const char separator = platform::PathSeparator();
  const bool ends_in_separator = !folder->empty() && folder->back() == separator &&
                                 IsCharBoundary(*folder, folder->size() - 1);
  if (!ends_in_separator) *folder += separator;
  c.Result(*folder, "s");
}
void ChooseFolder(TCommand& c) { Folder(c, std::string(), false); }
void BrowseFolder(TCommand& c) { Folder(c, c.Text(0), true); }

void Printer(TCommand& c) {
  Host* host = DialogHost(c);
  c.ResultFlag(host && host->PrinterSetup());
}

void DialogSize(TCommand& c) {
  // A list written in the statement arrives as its items' text (the reader took the
  // brackets off), and its commas are not an expression's; otherwise the argument's value
  // (a variable's, a literal's) holds the list.
  std::vector<std::string> items = RectListItems(c.Raw(0));
  if (items.size() <= 1) items = RectListItems(c.Text(0));
  if (items.size() > 4) {
    std::string quoted;
    for (const std::string& item : items) quoted += "\"" + item + "\"";
    c.Fail("座標の指定エラー。引数が多すぎます。" + quoted);
  }
  std::array<std::int64_t, 4> rect{};
  for (std::size_t i = 0; i < items.size(); ++i) {
    const Number n = std::trunc(StrToValue(c.Evaluate(items[i])));
    // Beyond any screen a coordinate means the same as at the screen's end.
    rect[i] = std::isfinite(n) ? static_cast<std::int64_t>(std::clamp<Number>(n, -1e9, 1e9)) : 0;
  }
  c.DialogRect() = rect;
}

}  // namespace

std::span<const CommandBinding> DialogCommands() {
  static const CommandBinding commands[] = {
      {"言う", Say},
      {"尋ねる", Ask},
      {"二択", TwoWays},
      {"三択", ThreeWays},
      {"どれか尋ねる", AskWhich},
      {"リストから選択", SelectFromList},
      {"ボタンで選択", SelectButton},
      {"メモ記入", Memo},
      {"項目記入", Items},
      {"色選択", Colour},
      {"フォント選択", Font},
      {"読込ファイル選択", OpenFile},
      {"書込ファイル選択", SaveFile},
      {"フォルダ選択", ChooseFolder},
      {"フォルダ拡張選択", BrowseFolder},
      {"プリンタ設定", Printer},
      {"ダイアログサイズ設定", DialogSize},
  };
  return commands;
}

}  // namespace pirune
