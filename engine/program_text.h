// Program texts: every text the run's cursor walks (loaded files, texts run as programs)
// is made here. Blocks are views into them, never copies. A text lives while anything
// holds it: whoever runs it, and every position kept beyond the statement that made it
// (run-control records, the resume position after an error, what the decode caches keep).
// So an address that something kept can never be taken by another text.
#pragma once
#include <memory>
#include <string>

#include "engine/text_pos.h"

namespace pirune {

using ProgramText = std::shared_ptr<const std::string>;

ProgramText MakeProgramText(std::string text);

// The program text at that address, kept alive by the answer; null for any other text.
ProgramText KeepText(const std::string* text);

// A position kept beyond the statement that made it: it holds its text. It is set from a
// cursor and read as one, so it converts both ways.
class KeptPosition {
 public:
  KeptPosition() = default;
  KeptPosition(const TextPos& at) : at_(at), text_(KeepText(at.text)) {}
  operator const TextPos&() const { return at_; }
  bool None() const { return at_.None(); }

 private:
  TextPos at_;
  ProgramText text_;
};

}  // namespace pirune
