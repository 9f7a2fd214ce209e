#include "engine/run_control.h"

namespace pirune {

bool TRunControlStack::Pop(TRunControl& out) {
  if (Count() == 0) return false;
  out = std::move(records_.back());
  records_.pop_back();
  return true;
}

void TRunControlStack::PushFrame() {
  bases_.push_back(base_);
  base_ = records_.size();
}

void TRunControlStack::PopFrame() {
  if (bases_.empty()) return;
  ClearFrame();
  base_ = bases_.back();
  bases_.pop_back();
}

const TRunControl* TRunControlStack::FindBody(const std::string* text) const {
  // The current frame's records first, then those of the frames under it, innermost first.
  for (auto it = records_.rbegin(); it != records_.rend(); ++it)
    if (it->HasBlock() && it->start.text == text) return &*it;
  return nullptr;
}

}  // namespace pirune
