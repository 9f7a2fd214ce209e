#include "gui/file_filter.h"

#include "library/strings/text_model.h"

namespace pirune {

std::string FileFilter(std::string_view argument) {
  // Aligned: a "|" byte may be the second half of a character such as ポ.
  if (text::FindAligned(argument, "|") != text::npos) return std::string(argument);
  if (!argument.empty() && argument.front() == '.') argument.remove_prefix(1);
  const std::string e(argument);
  return e + " 形式(*." + e + ")|*." + e + "|全て(*.*)|*.*";
}

std::string DefaultExtension(std::string_view filter) {
  const std::size_t first = text::FindAligned(filter, "|");
  if (first == text::npos) return {};
  std::string_view pattern = filter.substr(first + 1);
  pattern = pattern.substr(0, text::FindFromCharStart(pattern, "|", 0));
  if (!pattern.empty() && pattern.front() == '*') pattern.remove_prefix(1);
  if (!pattern.empty() && pattern.front() == '.') pattern.remove_prefix(1);
  return std::string(pattern);
}

}  // namespace pirune
