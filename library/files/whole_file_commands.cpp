// Whole files: "読む", "書く" and "追加保存".
#include "engine/command_api.h"
#include "library/file_writer.h"
#include "library/files/reading_search.h"
#include "platform/clipboard.h"
#include "platform/platform.h"
#include "startup/security.h"

namespace pirune {
namespace {

std::string ReadWriteFailure(const std::string& name) {
  return "ファイル\"" + name + "\"の、読み込みか書き込みに、失敗しました。";
}

// The word クリップボード written in the file's place.
bool IsClipboard(const TCommand& c, std::size_t slot) { return c.WordName(slot) == "クリップボード"; }

void SetClipboard(const TCommand& c, const std::string& text) {
  if (!platform::SetClipboardText(text)) c.Fail(ReadWriteFailure("クリップボード"));
}

void Read(TCommand& c) {
  if (IsClipboard(c, 1)) {
    THashNode& target = c.Word(0, true);
    target.SetValue(platform::ClipboardText());
    target.SetMark("s");
    return;
  }
  const std::string name = c.Text(1);
  auto bytes = platform::ReadFileBytes(files::FindForReading(c, name));
  if (!bytes) c.Fail(ReadWriteFailure(name));
  THashNode& target = c.Word(0, true);
  target.SetValue(std::move(*bytes));
  target.SetMark("s");
}

void Write(TCommand& c) {
  const std::string text = c.Text(0);
  if (IsClipboard(c, 1)) return SetClipboard(c, text);
  const std::string name = c.Text(1);
  if (!SecurityAllows(c, {name}, "\"" + name + "\"へ書き込みます。")) return;
  if (!WriteFileSafely(name, text)) c.Fail(ReadWriteFailure(name));
}

void Append(TCommand& c) {
  const std::string text = c.Text(0);
  if (IsClipboard(c, 1)) return SetClipboard(c, platform::ClipboardText() + text);
  const std::string name = c.Text(1);
  const std::string path = files::FindForReading(c, name);
  if (!SecurityAllows(c, {path}, "ファイル\"" + name + "\"へ文字列を追加します。")) return;
  if (!platform::FileExists(path)) c.Fail("ファイル\"" + name + "\"が、ありません。");
  if (!AppendToExistingFile(path, text)) c.Fail(ReadWriteFailure(name));
}

}  // namespace

std::span<const CommandBinding> WholeFileCommands() {
  static const CommandBinding commands[] = {{"読む", Read}, {"書く", Write}, {"追加保存", Append}};
  return commands;
}

}  // namespace pirune
