// "表示": text for the user, on the main window or in a file.
#include "engine/command_api.h"
#include "gui/host.h"
#include "library/files/reading_search.h"
#include "platform/platform.h"
#include "startup/security.h"

namespace pirune {
namespace {

void Show(TCommand& c) {
  std::string text = c.Text(0);
  const THashNode* output_file = c.SystemVariable("表示出力先");
  std::string target = output_file ? output_file->GetValue() : std::string();
  if (!target.empty()) {
    const std::string path = files::FindForReading(c, target);
    if (!SecurityAllows(c, {path}, "\"" + path + "\"へ書き込みます。")) return;
    if (!platform::AppendToFile(path, text + "\r\n"))
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
