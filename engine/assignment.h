// Assignment statements, and the reads of the same shapes: owner + "の" + item.
#pragma once
#include <string>

#include "engine/text_pos.h"

namespace pirune {

class TPiruBase;
class THashNode;

// The value text of an assignment: the rest of the statement.
std::string ReadRest(TPiruBase& state, TextPos& c);

// "target = value" or "targetは value"; an owner fragment on the word stack makes it an
// assignment to the owner's item.
void AssignStatement(TPiruBase& state, const std::string& target, TextPos& c);

// Whether `rest` has the shape "target & ..." with nothing but joins: the assignment
// then appends to the target in place. Depends on the text only.
bool IsSelfAppend(TPiruBase& state, const std::string& target, const std::string& rest);

// Assigns the value text `rest` to the word named `target` (no owner). `self_append` is
// IsSelfAppend's answer when known (0 or 1), -1 when not.
void AssignValue(TPiruBase& state, const std::string& target, const std::string& rest, int self_append = -1,
                 const struct CompiledArgument* compiled = nullptr, const std::string* constant_tail = nullptr);

// For a self-append whose pieces are all constants (plain texts, numbers): what it
// appends, so that it need not be read again.
bool ConstantAppendTail(TPiruBase& state, const std::string& rest, std::string& tail);

// The item written after owner + "の", read from the cursor.
std::string ReadOwnerItem(TPiruBase& state, THashNode& owner, TextPos& c);

}  // namespace pirune
