// Texts passed to other programs: the named shared block, the clipboard; and the
// special folders by number.
#include <string>

#include "engine/command_api.h"
#include "library/settings/value_mark.h"
#include "platform/clipboard.h"
#include "platform/shared_memory.h"
#include "platform/special_folder.h"

namespace pirune {
namespace {

void SaveShared(TCommand& c) {
  const std::string name = c.Text(0);
  const THashNode* result = c.SystemVariable("それ");
  const std::string text = result != nullptr ? result->GetValue() : std::string();
  // A nameless block would be no one's to find.
  if (name.empty() || !platform::WriteSharedBlock(name, text)) c.Fail(name + "を開けません。");
}

void LoadShared(TCommand& c) {
  const std::string name = c.Text(0);
  std::string text = name.empty() ? std::string() : platform::ReadSharedBlock(name).value_or("");
  const std::string_view mark = settings::MarkOfValue(text);
  c.Result(std::move(text), mark);
}

void Copy(TCommand& c) {
  if (!platform::SetClipboardText(c.Text(0))) c.Fail("クリップボードを開けません。");
}

void ClipboardText(TCommand& c) { c.Result(platform::ClipboardText()); }

void SpecialFolder(TCommand& c) { c.Result(platform::SpecialFolder(static_cast<int>(c.Int(0, 0, 65535)))); }

}  // namespace

std::span<const CommandBinding> SharedCommands() {
  static const CommandBinding commands[] = {{"共有保存", SaveShared},
                                            {"共有読込", LoadShared},
                                            {"コピー", Copy},
                                            {"クリップボード取得", ClipboardText},
                                            {"特殊フォルダ取得", SpecialFolder}};
  return commands;
}

}  // namespace pirune
