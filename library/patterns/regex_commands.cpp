// The regular-expression commands: "正規表現マッチ" ("RE"), "正規表現区切る", "正規表現置換"
// and "正規表現入換", through the library the runtime loads for each call. Each reports
// how many matches, groups or pieces it found in "マッチ数".
#include <exception>

#include "engine/command_api.h"
#include "library/patterns/bregexp_wrapper.h"

namespace pirune {
namespace {

constexpr std::int32_t kSplitLimit = 1000;

void SetMatchCount(TCommand& c, int n) {
  if (THashNode* count = c.SystemVariable("マッチ数")) {
    count->SetInteger(n);
    count->SetMark("e");
  }
}

// Runs an operation, reporting any failure of the library as this command's error.
template <typename Operation>
void WithLibrary(TCommand& c, Operation operation) {
  try {
    TBRegExp re;
    operation(re);
  } catch (const std::exception& e) {
    c.Fail("\"" + c.Name() + "\"で、Bregexp.dllのエラー。" + e.what());
  }
}

// A bare pattern is the match form's pattern.
std::string MatchForm(std::string pattern) {
  return !pattern.empty() && pattern[0] == 'm' ? pattern : "m/" + pattern + "/";
}

void Match(TCommand& c) {
  c.Result("");
  std::string text = c.Text(0), pattern = MatchForm(c.Text(1));
  WithLibrary(c, [&](TBRegExp& re) {
    re.Match(pattern, text);
    c.Result(re.Joined());
    SetMatchCount(c, re.Count());
  });
}

void Split(TCommand& c) {
  c.Result("");
  std::string text = c.Text(0), pattern = MatchForm(c.Text(1));
  WithLibrary(c, [&](TBRegExp& re) {
    re.Split(pattern, text, kSplitLimit);
    c.Result(re.Joined());
    SetMatchCount(c, re.Count());
  });
}

void Substitute(TCommand& c) {
  c.Result("");
  std::string text = c.Text(0), pattern = c.Text(1);
  WithLibrary(c, [&](TBRegExp& re) {
    re.Substitute(pattern, text);
    c.Result(std::move(text));
    SetMatchCount(c, re.Count());
  });
}

void Translate(TCommand& c) {
  std::string text = c.Text(0), pattern = c.Text(1);
  WithLibrary(c, [&](TBRegExp& re) {
    std::string translated = text;
    c.Result(re.Translate(pattern, translated) ? std::move(translated) : std::move(text));
    SetMatchCount(c, 0);
  });
}

}  // namespace

std::span<const CommandBinding> RegexCommands() {
  static const CommandBinding commands[] = {
      {"正規表現マッチ", Match}, {"正規表現区切る", Split}, {"正規表現置換", Substitute}, {"正規表現入換", Translate}};
  return commands;
}

}  // namespace pirune
