#include "engine/run_control.h"

namespace pirune {

bool TRunControlStack::Pop(TRunControl& out) {
  if (frame_.empty()) return false;
  out = std::move(frame_.back());
  frame_.pop_back();
  return true;
}

void TRunControlStack::PushFrame() {
  saved_.push_back(std::move(frame_));
  frame_.clear();
  if (!spare_.empty()) {
    frame_.swap(spare_.back());
    spare_.pop_back();
  }
}

void TRunControlStack::PopFrame() {
  if (saved_.empty()) return;
  frame_.clear();
  if (spare_.size() < 16) spare_.push_back(std::move(frame_));
  frame_ = std::move(saved_.back());
  saved_.pop_back();
}

void TRunControlStack::ClearAll() {
  frame_.clear();
  saved_.clear();
}

const TRunControl* TRunControlStack::FindBody(const std::string* text) const {
  for (auto it = frame_.rbegin(); it != frame_.rend(); ++it)
    if (it->HasBlock() && it->start.text == text) return &*it;
  for (auto f = saved_.rbegin(); f != saved_.rend(); ++f)
    for (auto it = f->rbegin(); it != f->rend(); ++it)
      if (it->HasBlock() && it->start.text == text) return &*it;
  return nullptr;
}

}  // namespace pirune
