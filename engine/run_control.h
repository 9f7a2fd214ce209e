// The run-control stack: records of the constructs being executed, grouped in frames.
// A nested run of the run loop (an included file, a label read as a value) gets a
// fresh frame, so the end of its text finishes only that run.
#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "engine/program_text.h"
#include "engine/text_pos.h"

namespace pirune {

class THashNode;

enum RunControlKind : std::uint8_t {
  kIfTrue = 0,
  kIfFalse = 1,
  kForLoop = 2,    // 繰り返す
  kRepeat = 3,     // 回
  kCall = 4,
  kEvent = 5,
  kEachLine = 6,   // 反復
  kUnknown = 7,
  kCase = 8,
  kWhile = 9,      // ループ
  kLocalBlock = 10,  // ここから
};

struct TRunControl {
  // User-provided, so that a record made in place (Emplace) is not first zeroed whole:
  // the members' own initialisers are all it needs.
  TRunControl() {}
  // A record whose cursor walks the block `walked` (a view into `text`) and comes back
  // to `return_to`. (Member by member: a record is made for every block entered, and
  // zeroing it whole costs more.)
  TRunControl(std::uint8_t kind_of, TextPos return_to, TextPos walked, ProgramText text_of, const std::string* file,
              std::int32_t line)
      : start(walked),
        return_position(return_to),
        kind(kind_of),
        text(std::move(text_of)),
        file_name(file),
        first_line(line) {}

  // Whether the cursor walks a block of this record's own (calls, events and local
  // blocks run where they were written).
  bool HasBlock() const { return kind != kCall && kind != kEvent && kind != kLocalBlock; }

  TextPos start;
  TextPos return_position;
  std::int64_t counter = 0;  // "ループ" may go round more than 2^31 times
  std::int64_t limit = 0;
  std::uint8_t kind = kUnknown;
  ProgramText text;  // the text `start` points into, held for as long as the record
  const std::string* file_name = nullptr;  // the current file name when it began (interned)
  std::string condition;                    // ループ: the condition, re-evaluated each time
  THashNode* counter_word = nullptr;        // 繰り返す: the counter variable
  std::shared_ptr<std::vector<std::string>> lines;  // 反復: the items
  std::int32_t first_line = 0;              // the source line where the block begins
};

// The records of every run, one stack: a nested run's frame is the top `count_` records,
// and the interrupted runs' records below them are out of its sight.
class TRunControlStack {
 public:
  void Push(TRunControl&& record) {
    records_.push_back(std::move(record));
    ++count_;
  }
  template <class... Args>
  TRunControl& Emplace(Args&&... args) {  // a new record on top
    TRunControl& record = records_.emplace_back(std::forward<Args>(args)...);
    ++count_;
    return record;
  }
  bool Pop(TRunControl& out);
  void Drop() {  // the top record, which must exist
    records_.pop_back();
    --count_;
  }
  std::size_t Count() const { return count_; }     // records of the current frame
  bool Empty() const { return records_.empty(); }  // in every frame
  TRunControl* Top() { return count_ == 0 ? nullptr : &records_.back(); }
  // The record `k` places below the top of the current frame (0: the top), which must exist.
  TRunControl& Below(std::size_t k) { return records_[records_.size() - 1 - k]; }
  void PushFrame();
  void PopFrame();
  // Empties the current frame, as "待機" does.
  void ClearFrame() {
    records_.erase(records_.end() - static_cast<std::ptrdiff_t>(count_), records_.end());
    count_ = 0;
  }
  // How many frames lie under the current one.
  std::size_t Depth() const { return counts_.size(); }
  // The innermost record (in any frame) whose block lies in the given text, if any.
  const TRunControl* FindBody(const std::string* text) const;

 private:
  std::vector<TRunControl> records_;
  std::size_t count_ = 0;            // of the current frame
  std::vector<std::size_t> counts_;  // of the frames under it
};

}  // namespace pirune
