// Questions on the terminal. The prompt goes to standard error, as a shell's `read -p`
// puts it, so that standard output carries only what the script shows; the answer is
// one line of standard input in UTF-8.
#pragma once
#include <optional>
#include <string>
#include <vector>

namespace pirune {

// Writes the Shift_JIS text to standard error as lines.
void WriteQuestionLines(const std::string& sjis);

// Writes the prompt (no line break) and reads one line, without its line break, as
// Shift_JIS; none at the end of input.
std::optional<std::string> ReadAnswer(const std::string& prompt);

// Lists the choices numbered from 1 and reads answers until one names a choice (by its
// number or its text): its index, or -1 at the end of input.
int AskChoice(const std::vector<std::string>& choices);

}  // namespace pirune
