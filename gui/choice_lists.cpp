#include "gui/choice_lists.h"

#include "gui/select_button_layout.h"
#include "library/strings/text_model.h"

namespace pirune {

std::vector<std::string> TextLines(std::string_view text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\r' && text[i] != '\n') continue;
    lines.emplace_back(text.substr(start, i - start));
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
    start = i + 1;
  }
  if (start < text.size()) lines.emplace_back(text.substr(start));
  return lines;
}

std::vector<std::string> ListChoices(std::string_view text) {
  const std::string bars = text::ReplaceAll(text::ReplaceAll(text, "｜", "|"), "|", "\r\n");
  return TextLines(bars);
}

std::vector<std::string> ButtonChoices(std::string_view text) {
  std::vector<std::string> lines = TextLines(text::TrimBlanks(text));
  if (lines.size() > kMaxChoiceButtons) lines.resize(kMaxChoiceButtons);
  return lines;
}

}  // namespace pirune
