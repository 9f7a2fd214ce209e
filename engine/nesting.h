// A bound on how deeply evaluation may nest (brackets in brackets, labels read as
// values calling themselves), so that a script can never exhaust the machine stack.
#pragma once

#include "engine/errors.h"
#include "engine/piru_base.h"

namespace pirune {

constexpr int kMaxNesting = 400;

class NestingGuard {
 public:
  explicit NestingGuard(TPiruBase& state) : state_(state) {
    if (++state_.Nesting > kMaxNesting) {
      --state_.Nesting;
      RaiseScriptError(state_, "入れ子が深すぎるため、実行できません。");
    }
  }
  ~NestingGuard() { --state_.Nesting; }
  NestingGuard(const NestingGuard&) = delete;
  NestingGuard& operator=(const NestingGuard&) = delete;

 private:
  TPiruBase& state_;
};

}  // namespace pirune
