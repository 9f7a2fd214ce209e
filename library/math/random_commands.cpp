// Random numbers: 乱数 (an integer below n), RND (a real in [0, 1)) and 乱数初期化.
#include <cstdint>
#include <string>

#include "engine/command_api.h"
#include "library/random.h"
#include "library/strings/text_model.h"

namespace pirune {
namespace {

// n as a decimal integer in the signed 32-bit range; anything else asks for 100.
std::int64_t Bound(std::string_view text) {
  std::string s = text::TrimBlanks(text);
  std::size_t i = !s.empty() && (s[0] == '-' || s[0] == '+') ? 1 : 0;
  if (i == s.size() || s.size() - i > 10) return 100;
  std::int64_t n = 0;
  for (std::size_t k = i; k < s.size(); ++k) {
    if (s[k] < '0' || s[k] > '9') return 100;
    n = n * 10 + (s[k] - '0');
  }
  if (s[0] == '-') n = -n;
  return n >= INT32_MIN && n <= INT32_MAX ? n : 100;
}

void Draw(TCommand& c) {
  std::int64_t n = Bound(c.Text(0));
  c.ResultInteger(n <= 0 ? 0 : RunRandom().Below(static_cast<std::uint32_t>(n)));
}

void Real(TCommand& c) { c.ResultNumber(RunRandom().Unit()); }

void Seed(TCommand& c) {
  Number n = c.Num(0);
  RunRandom().Seed(n == -1 ? EntropySeed() : static_cast<std::uint64_t>(TruncToInt64(n)));
}

}  // namespace

std::span<const CommandBinding> RandomCommands() {
  static const CommandBinding commands[] = {{"乱数", Draw}, {"RND", Real}, {"乱数初期化", Seed}};
  return commands;
}

}  // namespace pirune
