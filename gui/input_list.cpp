#include "gui/input_list.h"

#include "gui/choice_lists.h"
#include "library/strings/text_model.h"

namespace pirune {

InputList ParseInputList(std::string_view text) {
  InputList list;
  std::vector<std::string> lines = TextLines(text);
  std::size_t first = 0;
  if (!lines.empty() && !lines[0].empty() && lines[0][0] == ';') {
    const std::string_view titles = std::string_view(lines[0]).substr(1);
    const std::size_t equals = text::FindAligned(titles, "=");
    list.key_title = std::string(titles.substr(0, equals));
    list.value_title = equals == text::npos ? std::string() : std::string(titles.substr(equals + 1));
    first = 1;
  }
  for (std::size_t i = first; i < lines.size(); ++i) {
    const std::string_view line = lines[i];
    InputRow row;
    const std::size_t equals = text::FindAligned(line, "=");
    row.key = std::string(line.substr(0, equals));
    if (equals != text::npos) row.value = text::TrimBlanks(line.substr(equals + 1));
    if (row.value.starts_with("?(")) {
      const std::string_view rest = std::string_view(row.value).substr(2);
      const std::size_t close = text::FindAligned(rest, ")");
      const std::string_view picks = rest.substr(0, close);
      std::size_t start = 0;
      for (std::size_t bar; (bar = text::FindFromCharStart(picks, "|", start)) != text::npos; start = bar + 1)
        row.picks.emplace_back(picks.substr(start, bar - start));
      row.picks.emplace_back(picks.substr(start));
      row.value = close == text::npos ? std::string() : std::string(rest.substr(close + 1));
    }
    list.rows.push_back(std::move(row));
  }
  return list;
}

std::string InputListResult(const std::vector<InputRow>& rows) {
  std::string result;
  for (const InputRow& row : rows) result += row.key + "=" + row.value + "\r\n";
  return result;
}

}  // namespace pirune
