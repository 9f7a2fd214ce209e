// Script errors, the error log and the error format.
#pragma once
#include <exception>
#include <string>
#include <string_view>

#include "engine/text_pos.h"

namespace pirune {

class TPiruBase;

// The runtime's general error: a message in Shift_JIS.
class Exception : public std::exception {
 public:
  explicit Exception(std::string message) : message_(std::move(message)) {}
  const char* what() const noexcept override { return message_.c_str(); }
  const std::string& Message() const { return message_; }

 private:
  std::string message_;
};

// A script error. Its message is finished (normally made by FormatScriptError);
// constructing one appends the message and a line break to the error log.
class EPiru : public Exception {
 public:
  explicit EPiru(std::string message);
};

// The one error log of the run; the error dialog shows all of it.
std::string& ErrorLog();

// "[エラー] file(line行目): message" for the statement at the program position.
std::string FormatScriptError(TPiruBase& state, std::string_view message);

// Throws EPiru with FormatScriptError(message).
[[noreturn]] void RaiseScriptError(TPiruBase& state, std::string_view message);

// Appends "[注　意] ..." to the log and lets the host show it; raises nothing.
void ScriptWarning(TPiruBase& state, std::string_view message);

// The number of the source line holding the program position (also stored in Line).
int CurrentLine(TPiruBase& state);

// The number of the source line holding a position.
int LineAt(const TPiruBase& state, TextPos pos);

}  // namespace pirune
