// Assignment statements, and the reads of the same shapes: owner + "の" + item.
#pragma once
#include <memory>
#include <optional>
#include <string>

#include "engine/text_pos.h"
#include "engine/words.h"

namespace pirune {

class TPiruBase;

// The value text of an assignment: the rest of the statement.
std::string ReadRest(TPiruBase& state, TextPos& c);

// "target = value" or "targetは value"; an owner fragment on the word stack makes it an
// assignment to the owner's item.
void AssignStatement(TPiruBase& state, const std::string& target, TextPos& c);
// Whether an assignment's target is a literal (a quoted text, a here-text), which
// nothing can be assigned to.
bool IsLiteralTarget(const std::string& target);

// What is known about an assignment's value text from the text alone, worked out once.
struct AssignmentPlan {
  bool element = false;                               // the target names a table element
  bool self_append = false;                           // "X = X & …": appends in place
  bool constant_tail = false;                         // … of constants only: `tail` is added
  std::string tail;
  bool constant = false;                              // a lone number or plain text
  std::string value;
  const char* mark = "s";
  std::optional<std::int64_t> integer;                  // … when that is an integer as it writes itself
  std::shared_ptr<const struct CompiledArgument> compiled;  // an expression kept as tokens
  std::string call;                                   // a value led by a call "name(…)": the name,
  std::size_t call_bracket = 0;                       // … where its "(" stands
  bool call_continues = false;                        // … and whether more follows it
  TextPos call_at;  // … in the program text, when the value was read there: its list is kept there
  TextPos rest_at;  // where the value was read in the program text, when it was read as written there
  TWordLookup callee;
  TWordLookup target;                                 // the word assigned to
};
AssignmentPlan PlanAssignment(TPiruBase& state, const std::string& target, const std::string& rest);

// Assigns the value text `rest` to the word named `target` (no owner), with its plan when
// there is one.
void AssignValue(TPiruBase& state, const std::string& target, const std::string& rest,
                 const AssignmentPlan* plan = nullptr);

// The item written after owner + "の", read from the cursor.
std::string ReadOwnerItem(TPiruBase& state, THashNode& owner, TextPos& c);

}  // namespace pirune
