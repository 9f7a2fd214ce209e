// Measuring, comparing, searching and replacing: "文字数", "バイト数", "行数", "文比較",
// "出現回数", "何文字目", "何バイト目", "置換", "単置換".
#include <cstdint>

#include "engine/command_api.h"
#include "library/strings/text_model.h"
#include "library/strings/whole_number.h"

namespace pirune {
namespace {

// A plain variable (or "それ") is measured where its value lies, since a long text need not
// be copied to be measured; anything else (system variables that are computed when read,
// functions) is evaluated.
template <typename Measure>
void MeasureArgument(TCommand& c, Measure measure) {
  const THashNode* word = c.FindWord(0);
  bool plain = word && word->Kind == kVariable && (!word->Reserved || c.IsResultWord(*word));
  c.ResultInteger(static_cast<std::int64_t>(plain ? measure(word->GetValue()) : measure(c.Text(0))));
}

void CharCount(TCommand& c) { MeasureArgument(c, [](const std::string& s) { return text::CharCount(s); }); }

void ByteCount(TCommand& c) { MeasureArgument(c, [](const std::string& s) { return s.size(); }); }

void LineCount(TCommand& c) {
  // A name is counted in its variable's value; anything else is evaluated.
  const THashNode* word = c.FindWord(0);
  c.ResultInteger(text::LineCount(word ? word->GetValue() : c.Text(0)));
}

void Compare(TCommand& c) {
  std::string a = c.Text(0);
  c.ResultFlag(a == c.Text(1));
}

void Occurrences(TCommand& c) {
  std::string haystack = c.Text(0);
  c.ResultInteger(text::CountOccurrences(haystack, c.Text(1)));
}

void CharPosition(TCommand& c) {
  std::string haystack = c.Text(0), needle = c.Text(1);
  if (needle.empty()) return c.ResultFlag(!haystack.empty());
  std::size_t at = needle.size() > haystack.size() ? text::npos : text::FindAligned(haystack, needle);
  c.ResultInteger(at == text::npos ? 0 : static_cast<std::int64_t>(text::CharCount(haystack.substr(0, at))) + 1);
}

void BytePosition(TCommand& c) {
  std::string haystack = c.Text(0), needle = c.Text(1);
  std::size_t at = text::FindAligned(haystack, needle);
  c.ResultInteger(at == text::npos ? 0 : static_cast<std::int64_t>(at) + 1);
}

void Replace(TCommand& c) {
  std::string source = c.Text(0), what = c.Text(1), with = c.Text(2);
  c.Result(text::ReplaceAll(source, what, with));
}

void ReplaceOne(TCommand& c) {
  std::string source = c.Text(0);
  std::int64_t n = WholeNumber(c, 1);
  std::string what = c.Text(2), with = c.Text(3);
  c.Result(text::ReplaceNth(source, n, what, with));
}

}  // namespace

std::span<const CommandBinding> SearchCommands() {
  static const CommandBinding commands[] = {
      {"文字数", CharCount},      {"バイト数", ByteCount},   {"行数", LineCount},
      {"文比較", Compare},        {"出現回数", Occurrences}, {"何文字目", CharPosition},
      {"何バイト目", BytePosition}, {"置換", Replace},         {"単置換", ReplaceOne},
  };
  return commands;
}

}  // namespace pirune
