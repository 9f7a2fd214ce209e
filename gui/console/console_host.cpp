#include "gui/console/console_host.h"

#include "gui/console/terminal_question.h"
#include "platform/cp932.h"

namespace pirune {

std::string TerminalText(const std::string& sjis) {
  std::string lf;
  lf.reserve(sjis.size());
  for (std::size_t i = 0; i < sjis.size(); ++i) {
    if (sjis[i] == '\r' && i + 1 < sjis.size() && sjis[i + 1] == '\n') continue;
    lf += sjis[i];
  }
  return cp932::ToUtf8(lf);
}

namespace {
void WriteLine(std::FILE* to, const std::string& sjis) {
  std::string text = TerminalText(sjis);
  text += '\n';
  std::fwrite(text.data(), 1, text.size(), to);
  std::fflush(to);
}
}  // namespace

void ConsoleHost::Say(const std::string& text) { WriteLine(stdout, text); }

void ConsoleHost::ShowText(const std::string& text, int, int&) { WriteLine(stdout, text); }

void ConsoleHost::ShowMessage(const std::string& text, const std::string&) { WriteLine(stderr, text); }

void ConsoleHost::Warn(const std::string& text) { WriteLine(stderr, text); }

ErrorChoice ConsoleHost::ShowErrorDialog(const std::string& log, bool) {
  // The whole log, then the program ends as the dialog's quit button would end it.
  std::string text = log;
  while (!text.empty() && (text.back() == '\n' || text.back() == '\r')) text.pop_back();
  WriteLine(stderr, text);
  return ErrorChoice::Quit;
}

int ConsoleHost::SelectButton(const std::string& message, const std::vector<std::string>& choices) {
  WriteQuestionLines(message);
  // Without choices no answer could ever be right.
  return choices.empty() ? -1 : AskChoice(choices);
}

}  // namespace pirune
