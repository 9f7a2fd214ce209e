// File handles: a variable whose value is "(TTextFileStream)" and which holds an open
// stream, read and written a line or some bytes at a time.
#include <map>
#include <memory>
#include <vector>

#include "engine/command_api.h"
#include "library/files/handle_stream.h"
#include "library/strings/text_model.h"
#include "platform/files.h"
#include "startup/security.h"

namespace pirune {
namespace {

using files::THandleStream;

constexpr std::string_view kHandleValue = "(TTextFileStream)";
constexpr std::int32_t kHighLevel = 2;

// Every stream the run opened, closed when the run ends; a handle opened again under
// the same name leaves its old stream open here until then.
struct THandles : TRunResource {
  std::vector<std::unique_ptr<THandleStream>> streams;
  std::map<const THashNode*, THandleStream*> by_word;
};

THandles& Handles(const TCommand& c) {
  auto& slot = c.RunResource("files.handles");
  if (!slot) slot = std::make_unique<THandles>();
  return static_cast<THandles&>(*slot);
}

THandleStream* StreamOf(const TCommand& c, const THashNode& word) {
  if (word.GetValue() != kHandleValue) return nullptr;
  auto& handles = Handles(c);
  auto found = handles.by_word.find(&word);
  return found == handles.by_word.end() ? nullptr : found->second;
}

[[noreturn]] void NotAHandle(const TCommand& c, const std::string& name) {
  c.Fail("変数\"" + name + "\"が見つかりません。");
}

// For the commands on which a missing handle does nothing.
THandleStream* QuietHandle(TCommand& c, std::size_t slot) {
  THashNode* word = c.FindWord(slot);
  if (!word) return nullptr;
  if (THandleStream* stream = StreamOf(c, *word)) return stream;
  NotAHandle(c, word->Name);
}

// For the commands on which a missing handle is a missing part.
THandleStream& NeededHandle(TCommand& c, std::size_t slot) {
  THashNode& word = c.Word(slot);
  if (THandleStream* stream = StreamOf(c, word)) return *stream;
  NotAHandle(c, word.Name);
}

// For the line commands: a missing handle is a missing file.
THandleStream& LineHandle(TCommand& c, std::size_t slot) {
  THashNode* word = c.FindWord(slot);
  THandleStream* stream = word ? StreamOf(c, *word) : nullptr;
  if (!stream) c.Fail("ファイル\"ハンドル:" + c.WordName(slot) + "\"が、ありません。");
  return *stream;
}

void Attach(TCommand& c, const std::string& name, platform::File file) {
  THashNode* word = c.WordNamed(name, true);
  auto& handles = Handles(c);
  handles.streams.push_back(std::make_unique<THandleStream>(std::move(file)));
  handles.by_word[word] = handles.streams.back().get();
  word->SetValue(std::string(kHandleValue));
  word->SetMark("s");
}

THashNode* WritableHandleWord(TCommand& c, const std::string& name) {
  THashNode* word = c.WordNamed(name);
  if (word && word->Reserved) c.Fail("\"" + name + "\"は、読取専用です。");
  return word;
}

void Open(TCommand& c) {
  std::string name = c.WordName(0);
  if (!c.Raw(0).empty() && c.Raw(0)[0] == '`') name = c.Text(0);
  const std::string path = c.Text(1);
  WritableHandleWord(c, name);
  if (!SecurityAllows(c, {path}, "ファイル\"" + path + "\"を操作しようとしています。よろしいですか？")) return;
  platform::File file;
  if (!file.Open(path, platform::File::Access::ReadWrite, true, false))
    throw Exception("ファイル\"" + path + "\"を開けません。" + platform::LastErrorText());
  Attach(c, name, std::move(file));
}

void OpenWithMode(TCommand& c) {
  const std::string name = c.Text(0);
  const std::string path = c.Text(1);
  const unsigned mode = static_cast<unsigned>(c.Int(2)) & 0xFFFF;
  WritableHandleWord(c, name);
  if (!SecurityAllows(c, {path}, "ファイル\"" + path + "\"を操作しようとしています。よろしいですか？")) return;
  using Access = platform::File::Access;
  using Share = platform::File::Share;
  const bool create = mode == 0xFFFF;
  const unsigned access = create ? 1 : mode & 0x0F;
  const unsigned sharing = create ? 0 : mode & 0xF0;
  platform::File file;
  const Share share = sharing == 16 ? Share::Exclusive : sharing == 32 ? Share::DenyWrite
                    : sharing == 48 ? Share::DenyRead : Share::All;
  const bool known = access <= 2 && (sharing == 0 || sharing == 16 || sharing == 32 || sharing == 48 || sharing == 64);
  if (!known || !file.Open(path, access == 0 ? Access::Read : access == 1 ? Access::Write : Access::ReadWrite,
                           create, create, share))
    throw Exception("ファイル\"" + path + "\"を開けません。" + (known ? platform::LastErrorText() : std::string()));
  Attach(c, name, std::move(file));
}

void Close(TCommand& c) {
  THashNode* word = c.FindWord(0);
  if (!word) return;
  THandleStream* stream = StreamOf(c, *word);
  if (!stream) NotAHandle(c, word->Name);
  auto& handles = Handles(c);
  handles.by_word.erase(word);
  std::erase_if(handles.streams, [stream](const auto& s) { return s.get() == stream; });
  const std::string name = word->Name;
  c.RemoveWord(name);
}

void AtEnd(TCommand& c) {
  if (THandleStream* stream = QuietHandle(c, 0)) c.ResultFlag(stream->AtEnd());
}

void ToStart(TCommand& c) {
  if (THandleStream* stream = QuietHandle(c, 0)) stream->Seek(0);
}

void ToEnd(TCommand& c) {
  if (THandleStream* stream = QuietHandle(c, 0)) stream->SeekEnd();
}

void MoveTo(TCommand& c) {
  THandleStream& stream = NeededHandle(c, 0);
  stream.Seek(c.Int(1));
}

void ReadLine(TCommand& c) {
  THandleStream& stream = LineHandle(c, 1);
  THashNode& target = c.Word(0, true);
  target.SetValue(stream.ReadLine());
  target.SetMark("s");
}

void WriteLine(TCommand& c) {
  if (SecurityLevel(c) == kHighLevel) return;
  THandleStream& stream = LineHandle(c, 1);
  const std::string text = c.Text(0);
  if (!stream.WriteLine(text)) throw Exception(platform::LastErrorText());
}

void WriteBytes(TCommand& c) {
  if (SecurityLevel(c) == kHighLevel) return;
  const std::int64_t count = c.Int(2);
  THandleStream& stream = NeededHandle(c, 1);
  const std::string bytes = c.Text(0);
  text::CheckLength(count > 0 ? static_cast<std::size_t>(count) : 0);
  if (!stream.WriteBytes(bytes, count)) throw Exception(platform::LastErrorText());
}

void ReadBytes(TCommand& c) {
  const std::int64_t count = c.Int(2);
  if (count <= 0) return;
  THandleStream& stream = NeededHandle(c, 1);
  text::CheckLength(static_cast<std::size_t>(count));
  THashNode& target = c.Word(0, true);
  target.SetValue(stream.ReadBytes(count));
}

}  // namespace

std::span<const CommandBinding> HandleCommands() {
  static const CommandBinding commands[] = {
      {"ハンドルを開く", Open},           {"ハンドルを詳しく開く", OpenWithMode},
      {"ハンドルを閉じる", Close},        {"ハンドル最後か", AtEnd},
      {"ハンドルを先頭に移動", ToStart},  {"ハンドルを最後に移動", ToEnd},
      {"ハンドルを移動", MoveTo},         {"ハンドルを一行読む", ReadLine},
      {"ハンドルへ一行書く", WriteLine},  {"ハンドルにバイナリを書く", WriteBytes},
      {"ハンドルにバイナリを読む", ReadBytes},
  };
  return commands;
}

}  // namespace pirune
