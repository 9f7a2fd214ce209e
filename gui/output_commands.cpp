// "表示": text for the user, on the main window or in a file.
#include "engine/command_api.h"
#include "gui/host.h"
#include "platform/platform.h"

namespace pirune {
namespace {

void Show(TCommand& c) {
  std::string text = c.Text(0);
  const THashNode* output_file = c.SystemVariable("表示出力先");
  std::string target = output_file ? output_file->GetValue() : std::string();
  if (!target.empty()) {
    if (!platform::AppendToFile(target, text + "\r\n"))
      throw Exception("ファイル\"" + target + "\"に書き込めません。");
    return;
  }
  if (c.host()) c.host()->ShowText(text, c.TextX(), c.TextY());
}

}  // namespace

std::span<const CommandBinding> OutputCommands() {
  static const CommandBinding commands[] = {{"表示", Show}};
  return commands;
}

}  // namespace pirune
