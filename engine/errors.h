// Script errors, the error log and the error format.
#pragma once
#include <cstdint>
#include <exception>
#include <iosfwd>
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

// The error log of the run: the messages of script errors and warnings, each ended by
// CR LF, as the error dialog shows them. A run that goes on past errors for long (errors
// ignored in a loop) would make it grow without end, so once it passes kErrorLogLimit
// bytes it keeps its first lines (where a run's trouble began) and its latest ones (what
// the dialog was opened for), dropping whole lines between them. Sizes and `resize` count
// every byte ever written, dropped ones too, so a caller that notes the size, tries
// something and cuts the log back to that size cuts off exactly what was added since.
class TErrorLog {
 public:
  static constexpr std::size_t kErrorLogLimit = 256 * 1024;
  static constexpr std::size_t kKeptHead = kErrorLogLimit / 4;

  void Append(std::string_view text);
  TErrorLog& operator=(std::string_view text);
  void clear();
  std::size_t size() const { return dropped_ + text_.size(); }
  void resize(std::size_t size);
  std::size_t find(std::string_view part) const { return text_.find(part); }

  // The text shown: the whole log while it is within the bound.
  const std::string& Text() const { return text_; }
  operator const std::string&() const { return text_; }
  operator std::string_view() const { return text_; }
  friend bool operator==(const TErrorLog& log, std::string_view text) { return log.text_ == text; }
  friend std::ostream& operator<<(std::ostream& out, const TErrorLog& log);

 private:
  void Bound();

  std::string text_;
  std::size_t head_ = std::string::npos;  // bytes kept from the start, once lines were dropped
  std::size_t dropped_ = 0;  // bytes dropped after the head
};

// The one error log of the run.
TErrorLog& ErrorLog();

// "[エラー] file(line行目): message" for the statement at the program position.
std::string FormatScriptError(TPiruBase& state, std::string_view message);

// Throws EPiru with FormatScriptError(message).
[[noreturn]] void RaiseScriptError(TPiruBase& state, std::string_view message);

// Appends "[注　意] ..." to the log and lets the host show it; raises nothing.
void ScriptWarning(TPiruBase& state, std::string_view message);

// A reading tried ahead of the ordinary one, to keep what it finds for later runs. The
// ordinary reading reports the errors, so where the trial's error is caught, Drop puts
// back what raising it set: the error log's tail, the current line and "エラー行".
class TrialReading {
 public:
  explicit TrialReading(TPiruBase& state);
  void Drop();

 private:
  TPiruBase& state_;
  std::size_t log_size_;
  std::int32_t line_;
  std::string error_line_;
};

// The number of the source line holding the program position (also stored in Line).
int CurrentLine(TPiruBase& state);

// The number of the source line holding a position.
int LineAt(const TPiruBase& state, TextPos pos);

}  // namespace pirune
