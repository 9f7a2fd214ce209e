#include "engine/errors.h"

#include <algorithm>
#include <ostream>

#include "engine/piru_base.h"
#include "engine/reader.h"
#include "engine/sjis.h"
#include "gui/host.h"

namespace pirune {

EPiru::EPiru(std::string message) : Exception(std::move(message)) {
  ErrorLog().Append(Message() + "\r\n");
}

TErrorLog& ErrorLog() {
  static TErrorLog log;
  return log;
}

void TErrorLog::Append(std::string_view text) {
  text_.append(text);
  Bound();
}

TErrorLog& TErrorLog::operator=(std::string_view text) {
  text_.assign(text);
  head_ = std::string::npos;
  dropped_ = 0;
  Bound();
  return *this;
}

void TErrorLog::clear() { *this = std::string_view(); }

void TErrorLog::resize(std::size_t size) {
  if (head_ == std::string::npos || size >= head_ + dropped_) {
    text_.resize(size - (head_ == std::string::npos ? 0 : dropped_));
  } else if (size >= head_) {  // back into what was dropped: the head is all that is left
    text_.resize(head_);
    dropped_ = size - head_;
  } else {
    text_.resize(size);
    head_ = std::string::npos;
    dropped_ = 0;
  }
}

void TErrorLog::Bound() {
  if (text_.size() <= kErrorLogLimit) return;
  if (head_ == std::string::npos) {
    std::size_t end = text_.rfind('\n', kKeptHead - 1);
    head_ = end == std::string::npos ? 0 : end + 1;
  }
  // The latest lines are cut to half of what they may fill, so that the tail is moved
  // once in many messages, not for every one.
  std::size_t want = text_.size() - (kErrorLogLimit - head_) / 2;
  std::size_t from = text_.find('\n', want - 1);
  if (from == std::string::npos || from + 1 >= text_.size()) {
    // The latest line alone is longer: it is kept whole.
    from = text_.size() > 1 ? text_.rfind('\n', text_.size() - 2) : std::string::npos;
  }
  from = from == std::string::npos ? head_ : std::max(from + 1, head_);
  dropped_ += from - head_;
  text_.erase(head_, from - head_);
}

std::ostream& operator<<(std::ostream& out, const TErrorLog& log) { return out << log.text_; }

namespace {

std::string NamePart(std::string_view path) {
  std::size_t start = 0;
  for (std::size_t i = 0; i < path.size(); i += CharLength(path, i))
    if (path[i] == '\\' || path[i] == '/' || path[i] == ':') start = i + 1;
  return std::string(path.substr(start));
}

// The number in the line-number prefix directly at i ("12:"), or -1.
int PrefixAt(const std::string& t, std::size_t i) {
  std::size_t k = i;
  long n = 0;
  while (k < t.size() && IsDigit(static_cast<unsigned char>(t[k])) && n < 100000000) n = n * 10 + (t[k++] - '0');
  return (k > i && k < t.size() && t[k] == ':') ? static_cast<int>(n) : -1;
}

std::string Format(TPiruBase& state, const char* head, std::string_view message) {
  int line = CurrentLine(state);
  if (state.ErrorLine) state.ErrorLine->SetValue(std::to_string(line));
  return std::string(head) + NamePart(state.FileName()) + "(" + std::to_string(line) + "行目): " + std::string(message);
}

}  // namespace

TrialReading::TrialReading(TPiruBase& state)
    : state_(state),
      log_size_(ErrorLog().size()),
      line_(state.Line),
      error_line_(state.ErrorLine ? state.ErrorLine->GetValue() : std::string()) {}

void TrialReading::Drop() {
  ErrorLog().resize(log_size_);
  state_.Line = line_;
  if (state_.ErrorLine) state_.ErrorLine->SetValue(error_line_);
}

int LineAt(const TPiruBase& state, TextPos pos) {
  if (pos.None()) return state.Line;
  const std::string& t = *pos.text;
  std::size_t i = pos.offset;
  while (i < t.size() && t[i] != '\r' && t[i] != '\n') i += CharLength(t, i);
  if (i < t.size()) {
    while (i < t.size() && (t[i] == '\r' || t[i] == '\n' || t[i] == '\0')) ++i;
    int n = PrefixAt(t, i);
    return n >= 0 ? n : state.Line;
  }
  // The last line of a text has no line break after it: count from the prefix before it.
  for (std::size_t k = std::min(pos.offset, t.size()); k > 0; --k) {
    if (t[k - 1] == '\n') {
      if (int n = PrefixAt(t, k); n >= 0) return n + 1;
    }
  }
  for (const auto& loaded : state.Texts)
    if (loaded.get() == pos.text) return 1;
  if (const TRunControl* block = state.RunControl.FindBody(pos.text)) return block->first_line;
  return state.Line;
}

int CurrentLine(TPiruBase& state) {
  if (!state.Cur.None() && state.Cur == state.LineEndCursor) return state.Line = state.LineEndLine;
  return state.Line = LineAt(state, state.Cur);
}

std::string FormatScriptError(TPiruBase& state, std::string_view message) {
  return Format(state, "[エラー] ", message);
}

void RaiseScriptError(TPiruBase& state, std::string_view message) {
  throw EPiru(FormatScriptError(state, message));
}

void ScriptWarning(TPiruBase& state, std::string_view message) {
  std::string text = Format(state, "[注　意] ", message);
  ErrorLog().Append(text + "\r\n");
  if (!state.host) return;
  state.host->Warn(text);
  if (state.DebugMode) state.host->ShowErrorDialog(ErrorLog(), true);
}

}  // namespace pirune
