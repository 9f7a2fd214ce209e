// The choices of the choosing dialogs, cut from the script's text.
#pragma once
#include <string>
#include <string_view>
#include <vector>

namespace pirune {

// "どれか尋ねる" and "リストから選択": "｜" and "|" separate items as line breaks do; the
// lines are the items (an empty text has none).
std::vector<std::string> ListChoices(std::string_view text);

// "ボタンで選択": the text trimmed and cut into lines, at most kMaxChoiceButtons of them.
std::vector<std::string> ButtonChoices(std::string_view text);

// Lines at CR LF, LF or a lone CR; a break at the very end opens no further line.
std::vector<std::string> TextLines(std::string_view text);

}  // namespace pirune
