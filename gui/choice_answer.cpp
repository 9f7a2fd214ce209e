#include "gui/choice_answer.h"

namespace pirune {

namespace {
std::string_view Trimmed(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
  return text;
}
}  // namespace

int ChoiceFromAnswer(std::string_view answer, const std::vector<std::string>& choices) {
  answer = Trimmed(answer);
  if (!answer.empty() && answer.size() <= 9 && answer.find_first_not_of("0123456789") == std::string_view::npos) {
    const long number = std::stol(std::string(answer));
    if (number >= 1 && static_cast<std::size_t>(number) <= choices.size()) return static_cast<int>(number - 1);
  }
  for (std::size_t i = 0; i < choices.size(); ++i)
    if (choices[i] == answer) return static_cast<int>(i);
  return -1;
}

}  // namespace pirune
