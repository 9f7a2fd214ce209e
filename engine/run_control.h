// The run-control stack: records of the constructs being executed, grouped in frames.
// A nested run of the run loop (an included file, a label read as a value) gets a
// fresh frame, so the end of its text finishes only that run.
#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "engine/text_pos.h"

namespace pirune {

struct TRunControl {
  TextPos start;
  TextPos return_position;
  std::int32_t counter = 0;
  std::int32_t limit = 0;
  std::uint8_t kind = 7;
  std::shared_ptr<const std::string> body;  // the block the cursor walks while it runs
  std::string file_name;
};

class TRunControlStack {
 public:
  void Push(TRunControl record) { frame_.push_back(std::move(record)); }
  bool Pop(TRunControl& out);
  std::size_t Count() const { return frame_.size(); }  // records of the current frame
  void PushFrame();
  void PopFrame();
  void ClearAll();

 private:
  std::vector<TRunControl> frame_;
  std::vector<std::vector<TRunControl>> saved_;
};

}  // namespace pirune
