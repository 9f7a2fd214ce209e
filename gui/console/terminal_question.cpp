#include "gui/console/terminal_question.h"

#include <cstdio>

#include "gui/choice_answer.h"
#include "gui/console/console_host.h"
#include "platform/cp932.h"

namespace pirune {

void WriteQuestionLines(const std::string& sjis) {
  std::string text = TerminalText(sjis);
  if (text.empty() || text.back() != '\n') text += '\n';
  std::fwrite(text.data(), 1, text.size(), stderr);
  std::fflush(stderr);
}

std::optional<std::string> ReadAnswer(const std::string& prompt) {
  const std::string shown = TerminalText(prompt);
  std::fwrite(shown.data(), 1, shown.size(), stderr);
  std::fflush(stderr);
  // Standard output may be a pipe a reader waits on while the user answers.
  std::fflush(stdout);
  std::string line;
  int c;
  while ((c = std::fgetc(stdin)) != EOF && c != '\n') line += static_cast<char>(c);
  if (c == EOF && line.empty()) {
    // The answer's line break never came: the next prompt starts on a line of its own.
    std::fputc('\n', stderr);
    return std::nullopt;
  }
  if (!line.empty() && line.back() == '\r') line.pop_back();
  return cp932::FromUtf8Replacing(line);
}

int AskChoice(const std::vector<std::string>& choices) {
  std::string list;
  for (std::size_t i = 0; i < choices.size(); ++i)
    list += "  " + std::to_string(i + 1) + ") " + choices[i] + "\r\n";
  if (!list.empty()) WriteQuestionLines(list);
  for (;;) {
    std::optional<std::string> answer = ReadAnswer("? ");
    if (!answer) return -1;
    const int index = ChoiceFromAnswer(*answer, choices);
    if (index >= 0) return index;
  }
}

}  // namespace pirune
