#include "engine/run_control.h"

namespace pirune {

bool TRunControlStack::Pop(TRunControl& out) {
  if (count_ == 0) return false;
  out = std::move(records_.back());
  Drop();
  return true;
}

void TRunControlStack::PushFrame() {
  counts_.push_back(count_);
  count_ = 0;
}

void TRunControlStack::PopFrame() {
  if (counts_.empty()) return;
  ClearFrame();
  count_ = counts_.back();
  counts_.pop_back();
}

const TRunControl* TRunControlStack::FindBody(const std::string* text) const {
  // The current frame's records first, then those of the frames under it, innermost first.
  for (auto it = records_.rbegin(); it != records_.rend(); ++it)
    if (it->HasBlock() && it->start.text == text) return &*it;
  return nullptr;
}

}  // namespace pirune
