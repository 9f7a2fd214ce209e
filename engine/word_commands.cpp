// Commands that act on words themselves: their type, copies, names and listings.
#include <cmath>

#include "engine/conv_to_half.h"
#include "engine/errors.h"
#include "engine/piru_base.h"
#include "engine/registry.h"
#include "engine/sjis.h"

namespace pirune {
namespace {

THashNode& CreateVariable(TPiruBase& state, const std::string& name, const char* value) {
  auto word = std::make_unique<THashNode>(name, value, static_cast<std::int32_t>(state.RunControl.Count()));
  word->Ref = state.Cur;
  return state.Words.Add(std::move(word));
}

// The word to retype: created when missing, refused when reserved.
THashNode& WordToRetype(TCommand& c, const char* initial) {
  TPiruBase& state = c.Interpreter();
  std::string name = c.WordName(0);
  THashNode* word = state.Words.Find(name, false);
  if (!word) return CreateVariable(state, name, initial);
  if (word->Reserved) throw Exception("部品\"" + name + "\"は、既に存在するので、作成できません。");
  return *word;
}

void DropDictionary(THashNode& word) {
  if (!word.Dict) return;
  word.SetValue(word.Dict->LineForm());
  word.Dict.reset();
}

void AsNumber(TCommand& c) {
  THashNode& word = WordToRetype(c, "0");
  DropDictionary(word);
  word.Kind = kVariable;
  word.Mark = "e";
  if (word.Text().empty()) word.SetValue("0");
}

void AsText(TCommand& c) {
  THashNode& word = WordToRetype(c, "");
  DropDictionary(word);
  word.Kind = kVariable;
  word.Mark = "s";
}

void AsDictionary(TCommand& c) {
  THashNode& word = WordToRetype(c, "");
  if (word.Kind == kVariable && !word.Dict) {
    word.Dict = std::make_unique<THash>();
    word.Dict->LoadFromText(word.Text());
  } else if (word.Kind == kDictionary || word.Dict) {
    word.SetValue({});
  } else {
    throw Exception("\"" + word.Name + "\"は、文法が正しくないため、実行できません。変更できません！");
  }
  word.Kind = kDictionary;
  word.Mark = "hs";
}

void CopyWord(TCommand& c) {
  TPiruBase& state = c.Interpreter();
  std::string destination = c.WordName(1);
  std::string source_name = c.WordName(0);
  THashNode* source = state.Words.Find(source_name, false);
  if (!source) throw Exception("部品\"" + source_name + "\"は、作成されていません。");
  THashNode* target = state.Words.Find(destination, false);
  if (target == source) return;
  if (target && target->Reserved) throw Exception("部品\"" + destination + "\"は、既に存在するので、作成できません。");
  if (!target) target = &CreateVariable(state, destination, "");
  target->Assign(*source);
}

void Rename(TCommand& c) {
  TPiruBase& state = c.Interpreter();
  std::string form = IsBackQuoted(c.Raw(1)) ? c.WordName(1) : std::string();
  if (!form.empty() && form.back() == ';') form.pop_back();
  THashNode* command = &c.Word(0);
  std::vector<std::string> pieces;
  std::string piece;
  std::string half = TConvToHalf::Text(form) + " ";
  for (char ch : half) {
    if (ch != ' ' && ch != ',') {
      piece += ch;
      continue;
    }
    if (piece.empty()) break;
    pieces.push_back(std::move(piece));
    piece.clear();
  }
  std::size_t slots = 0;
  for (std::size_t i = 0; i < command->Pattern.size(); i += CharLength(command->Pattern, i))
    if (command->Pattern[i] == '?') ++slots;
  if (command->Kind != kCommand || pieces.size() != slots + 1) c.ArgumentError();
  std::string name = pieces.back();
  std::string pattern;
  for (std::size_t i = 0; i + 1 < pieces.size(); ++i) pattern += (i ? "," : "") + pieces[i];
  if (THashNode* existing = state.Words.Find(name, false); existing && existing != command && existing->Reserved)
    throw Exception("\"" + name + "\"は予約語なので、登録できません。");
  auto copy = std::make_unique<THashNode>(name, pattern, "", "", 0, kCommand, TextPos{}, true);
  copy->Assign(*command);
  copy->Pattern = pattern;
  state.Words.Remove(command->Name, false);
  state.Words.Add(std::move(copy));
}

void ListVariables(TCommand& c) {
  TPiruBase& state = c.Interpreter();
  std::int64_t minimum = c.Defaulted() ? 0 : c.Int(0);
  std::string out;
  state.Words.Enumerate([&](THashNode& w) {
    if ((w.Kind == kVariable || w.Kind == kDictionary) && !w.Reserved && w.Id >= minimum) out += w.Name + "\r\n";
  });
  c.Result(std::move(out));
}

void ListKeys(TCommand& c) {
  TPiruBase& state = c.Interpreter();
  std::string name = c.WordName(0);
  THashNode* word = state.Words.Find(name, false);
  if (!word) throw Exception("部品\"" + name + "\"は、作成されていません。");
  std::string out;
  if (word->Dict) {
    word->Dict->Enumerate([&](THashNode& entry) { out += entry.Name + "\r\n"; });
  } else {
    const std::string& value = word->GetValue();
    std::size_t i = 0;
    while (i < value.size()) {
      std::size_t end = value.find_first_of("\r\n", i);
      if (end == std::string::npos) end = value.size();
      std::string_view line = std::string_view(value).substr(i, end - i);
      std::size_t eq = line.find('=');
      out += std::string(eq == std::string_view::npos ? std::string_view() : line.substr(0, eq)) + "\r\n";
      i = end;
      if (i < value.size() && value[i] == '\r') ++i;
      if (i < value.size() && value[i] == '\n') ++i;
    }
  }
  c.Result(std::move(out));
}

}  // namespace

std::span<const CommandBinding> WordCommands() {
  static const CommandBinding commands[] = {
      {"数値として扱う", AsNumber},   {"文字列として扱う", AsText}, {"辞書として扱う", AsDictionary},
      {"単語コピー", CopyWord},       {"名義変更", Rename},         {"変数名列挙", ListVariables},
      {"ハッシュキー列挙", ListKeys}, {"辞書項目列挙", ListKeys},
  };
  return commands;
}

}  // namespace pirune
