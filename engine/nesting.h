// A bound on how deeply evaluation may nest (brackets in brackets, labels read as
// values calling themselves), so that a script can never exhaust the machine stack.
#pragma once

#include "engine/errors.h"
#include "engine/fast_paths.h"
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

// The shortcuts (fast_paths.h) skip guards that the general reading takes: a decoded
// statement is not read again, a kept expression is not evaluated level by level. Near the
// bound they are not taken, so the bound trips where the general reading trips it. The
// room left covers the deepest expression that is kept (32 groups, two levels each).
// A shortcut that runs script code (a kept call) first takes the levels the general
// reading would have taken by then, so recursion through it counts the same.
constexpr int kShortcutHeadroom = 72;
inline bool ShortcutsHere(const TPiruBase& state) {
  return FastPathsOn() && state.Nesting <= kMaxNesting - kShortcutHeadroom;
}

}  // namespace pirune
