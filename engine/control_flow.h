// Blocks, loops, jumps and subroutine calls on top of a bare program cursor: a block is a
// view into the text it is written in, which the cursor walks, and the run-control stack
// says where to go when the view ends.
#pragma once
#include <memory>
#include <string>

#include "engine/run_control.h"

namespace pirune {

class TPiruBase;
class THashNode;

// The block behind the cursor: a bracketed group, or the rest of the statement.
struct Block {
  TextPos start;     // the view: its first character, and where it ends
  ProgramText text;  // the text it lies in, held by the record that runs it
  std::int32_t first_line = 0;
};
Block ReadBlock(TPiruBase& state);

// Pushes a record of the kind for a block and moves the cursor to the block's first
// character; the caller fills in what its kind needs. Null when the program has ended.
TRunControl* EnterBlock(TPiruBase& state, std::uint8_t kind, const Block& block);

// At the end of a text: resumes behind the innermost construct or repeats it.
void CheckRunControl(TPiruBase& state);

// The statement "N回".
void RepeatStatement(TPiruBase& state, const std::string& count);

// Calls a label: binds its parameters (if it has any) from the word stack, pushes the
// call record, opens a local scope and moves the cursor into the label.
void CallLabel(TPiruBase& state, const THashNode& label);

// The same in a nested run of its own, as a call written with brackets does; comes back
// when the label returns.
void CallLabelNested(TPiruBase& state, const THashNode& label);

}  // namespace pirune
