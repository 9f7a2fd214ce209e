// The runtime's side of the regular-expression library: loading it, calling its entry
// points on our texts and reading its results.
#pragma once
#include <cstdint>
#include <stdexcept>
#include <string>

#include "bregexp/bregexp.h"
#include "platform/platform.h"

namespace pirune {

class EBRegExpError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// One per command call. The library a user installed under the standard name is
// preferred; ours, beside the runtime under its own name, is the fallback.
class TBRegExp {
 public:
  TBRegExp();
  ~TBRegExp();
  TBRegExp(const TBRegExp&) = delete;
  TBRegExp& operator=(const TBRegExp&) = delete;

  // Each returns whether the pattern matched (substituted, translated). Substitute and
  // Translate replace `text` with the new text when something changed.
  bool Match(const std::string& pattern, const std::string& text);
  bool Substitute(const std::string& pattern, std::string& text);
  bool Translate(const std::string& pattern, std::string& text);
  void Split(const std::string& pattern, const std::string& text, std::int32_t limit);

  // Groups + 1 after a match or substitution, pieces after a split, else 0.
  int Count() const;
  // The whole match and each group (or each piece), each followed by CR LF.
  std::string Joined() const;

 private:
  std::string Part(int index) const;
  void Prepare(const std::string& pattern);
  void Check(const char* message) const;

  platform::Module module_ = nullptr;
  BMatchFunc match_ = nullptr;
  BSubstFunc subst_ = nullptr;
  BTransFunc trans_ = nullptr;
  BSplitFunc split_ = nullptr;
  BRegfreeFunc free_ = nullptr;
  BREGEXP* result_ = nullptr;
  int kind_ = 0;  // 0 none, 1 match or substitution, 2 split
  std::string subject_;  // what the result's positions point into
};

}  // namespace pirune
