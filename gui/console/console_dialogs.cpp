// The standard dialogs on the terminal. Each question writes its prompt (and any
// choices, numbered) to standard error and reads its answer from standard input, one
// line at a time; the end of input answers as closing the dialog would.
#include "gui/choice_answer.h"
#include "gui/console/console_host.h"
#include "gui/console/terminal_question.h"
#include "gui/file_filter.h"
#include "platform/platform.h"

namespace pirune {

namespace {

// A path as the file dialogs give it: full, from the working folder when relative.
std::string FullPath(const std::string& path) {
  const char separator = platform::PathSeparator();
  if (path.empty() || path[0] == separator || (path.size() > 1 && path[1] == ':')) return path;
  std::string folder = platform::CurrentFolder();
  if (!folder.empty() && folder.back() != separator) folder += separator;
  return folder + path;
}

// An answer that names something (a path, a font, a colour): an empty one cancels, as
// no dialog of that kind could give it.
std::optional<std::string> ReadName(const std::string& prompt) {
  std::optional<std::string> answer = ReadAnswer(prompt);
  if (answer && answer->empty()) return std::nullopt;
  return answer;
}

}  // namespace

std::optional<std::string> ConsoleHost::AskText(const std::string& message, const std::string& initial) {
  WriteQuestionLines(message);
  std::optional<std::string> answer = ReadAnswer(initial.empty() ? "> " : "[" + initial + "] > ");
  if (answer && answer->empty()) return initial;
  return answer;
}

int ConsoleHost::AskYesNo(const std::string& question, bool with_cancel) {
  WriteQuestionLines(question);
  for (;;) {
    const std::optional<std::string> answer = ReadAnswer(with_cancel ? "[y/n/c] > " : "[y/n] > ");
    // Closing the box: "三択" has its cancel, "二択" only "not yes".
    if (!answer) return with_cancel ? 2 : 0;
    if (*answer == "y" || *answer == "Y" || *answer == "1") return 1;
    if (*answer == "n" || *answer == "N" || *answer == "0") return 0;
    if (with_cancel && (*answer == "c" || *answer == "C" || *answer == "2")) return 2;
  }
}

std::optional<std::string> ConsoleHost::SelectFromList(const std::string& message,
                                                       const std::vector<std::string>& items,
                                                       const std::string& initial, bool free_text) {
  WriteQuestionLines(message);
  std::string list;
  for (std::size_t i = 0; i < items.size(); ++i) list += "  " + std::to_string(i + 1) + ") " + items[i] + "\r\n";
  if (!list.empty()) WriteQuestionLines(list);
  for (;;) {
    const std::optional<std::string> answer = ReadAnswer(initial.empty() ? "> " : "[" + initial + "] > ");
    if (!answer) return std::nullopt;
    // An empty answer takes the field as it stands, as OK does.
    if (answer->empty()) return initial;
    const int index = ChoiceFromAnswer(*answer, items);
    if (index >= 0) return items[static_cast<std::size_t>(index)];
    if (free_text) return answer;
  }
}

std::optional<std::string> ConsoleHost::EditMemo(const std::string& text) {
  if (!text.empty()) WriteQuestionLines(text);
  WriteQuestionLines("(\".\" だけの行で終わり)");
  std::string memo;
  bool any = false;
  for (;;) {
    const std::optional<std::string> line = ReadAnswer("");
    if (!line) return any ? std::optional<std::string>(memo) : std::nullopt;
    if (*line == ".") return memo;
    if (any) memo += "\r\n";
    memo += *line;
    any = true;
  }
}

bool ConsoleHost::EditInputList(InputList& list) {
  for (InputRow& row : list.rows) {
    if (!row.picks.empty()) {
      std::string picks;
      for (std::size_t i = 0; i < row.picks.size(); ++i)
        picks += "  " + std::to_string(i + 1) + ") " + row.picks[i] + "\r\n";
      WriteQuestionLines(picks);
    }
    const std::optional<std::string> answer = ReadAnswer(row.key + " [" + row.value + "] > ");
    if (!answer) return false;
    if (answer->empty()) continue;  // keeps the value
    const int pick = ChoiceFromAnswer(*answer, row.picks);
    row.value = pick >= 0 ? row.picks[static_cast<std::size_t>(pick)] : *answer;
  }
  return true;
}

std::optional<std::uint32_t> ConsoleHost::ChooseColour() {
  for (;;) {
    const std::optional<std::string> answer = ReadName("色 (0xBBGGRR を10進で、または $BBGGRR) > ");
    if (!answer) return std::nullopt;
    const bool hex = (*answer)[0] == '$';
    const std::string digits = hex ? answer->substr(1) : *answer;
    const char* valid = hex ? "0123456789abcdefABCDEF" : "0123456789";
    if (!digits.empty() && digits.size() <= (hex ? 6u : 8u) && digits.find_first_not_of(valid) == std::string::npos) {
      const unsigned long colour = std::stoul(digits, nullptr, hex ? 16 : 10);
      if (colour <= 0xFFFFFF) return static_cast<std::uint32_t>(colour);
    }
  }
}

std::optional<std::string> ConsoleHost::ChooseTextFont() { return ReadName("書体 (名前|太字傾斜下線|大きさ) > "); }

std::optional<std::string> ConsoleHost::ChooseFile(bool save, const std::string& filter, const std::string& initial) {
  WriteQuestionLines(filter);
  std::optional<std::string> path = ReadAnswer(initial.empty() ? "ファイル > " : "ファイル [" + initial + "] > ");
  if (!path) return std::nullopt;
  if (path->empty()) {
    if (initial.empty()) return std::nullopt;
    path = initial;
  }
  std::string full = FullPath(*path);
  if (save) {
    // A name typed without an extension gets the filter's first one, as the dialog's
    // default extension gives it.
    const std::string extension = DefaultExtension(filter);
    const std::size_t name = full.find_last_of(platform::PathSeparator());
    const bool has_extension = full.find('.', name == std::string::npos ? 0 : name) != std::string::npos;
    if (!extension.empty() && extension.find_first_of("*?") == std::string::npos && !has_extension)
      full += "." + extension;
  }
  return full;
}

std::optional<std::string> ConsoleHost::ChooseFolder(const std::string& root, bool) {
  if (!root.empty()) WriteQuestionLines(root);
  std::optional<std::string> folder = ReadName("フォルダ > ");
  if (!folder) return std::nullopt;
  return FullPath(*folder);
}

}  // namespace pirune
