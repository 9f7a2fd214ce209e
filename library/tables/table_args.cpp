#include "library/tables/table_args.h"

#include "library/strings/text_model.h"

namespace pirune::tables {

bool HeaderFlag(TCommand& c) {
  THashNode* flag = c.SystemVariable("表フィールド名");
  return flag && flag->GetValue() == "1";
}

TCsvDb ReadTable(TCommand& c, std::size_t slot) {
  TCsvDb db;
  db.ReadCsv(c.Text(slot));
  db.Header = HeaderFlag(c);
  return db;
}

std::vector<std::string_view> SplitLines(std::string_view text) {
  std::vector<std::string_view> lines;
  std::size_t i = 0;
  while (i < text.size()) {
    std::size_t end = text.find_first_of("\r\n", i);
    if (end == std::string_view::npos) end = text.size();
    lines.push_back(text.substr(i, end - i));
    i = end;
    if (i < text.size()) i += (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ? 2 : 1;
  }
  return lines;
}

std::string JoinLines(const std::vector<std::string_view>& lines) {
  std::size_t size = 0;
  for (std::string_view line : lines) size += line.size() + 2;
  text::CheckLength(size);
  std::string out;
  out.reserve(size);
  for (std::string_view line : lines) {
    out.append(line);
    out += "\r\n";
  }
  return out;
}

std::size_t SortColumn(TCommand& c, std::size_t slot) {
  std::int32_t col = text::PlainInteger(c.Text(slot), -1);
  if (col < 0) c.ArgumentError();
  return static_cast<std::size_t>(col);
}

}  // namespace pirune::tables
