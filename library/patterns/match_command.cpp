// "マッチ": the wildcard prefix match, giving the matched part and the captures, and
// leaving the rest in the variable it was given.
#include "engine/command_api.h"
#include "library/patterns/wildcard.h"

namespace pirune {
namespace {

// Bytes up to 0x20 off both ends.
std::string TrimControls(const std::string& s) {
  std::size_t from = 0, to = s.size();
  while (from < to && static_cast<unsigned char>(s[from]) <= 0x20) ++from;
  while (to > from && static_cast<unsigned char>(s[to - 1]) <= 0x20) --to;
  return s.substr(from, to - from);
}

void Match(TCommand& c) {
  std::string pattern = c.Text(1);
  THashNode* word = c.FindWord(0);
  std::string subject = word ? word->GetValue() : c.Text(0);
  if (!word && subject.empty()) c.ArgumentError();
  if (pattern.empty()) return c.Result("");
  wildcard::PrefixMatch m;
  try {
    m = wildcard::MatchPrefix(pattern, subject);
  } catch (const Exception& e) {
    c.Fail("マッチでエラー。" + e.Message());
  }
  std::string lines = m.matched + "\r\n";
  for (const std::string& capture : m.captures) lines += capture + "\r\n";
  c.Result(TrimControls(lines));
  if (m.success && word && !c.IsResultWord(*word)) word->SetValue(std::move(m.rest));
}

}  // namespace

std::span<const CommandBinding> PatternCommands() {
  static const CommandBinding commands[] = {{"マッチ", Match}};
  return commands;
}

}  // namespace pirune
