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

// Assigns the value text `rest` to the word named `target` (no owner).
void AssignValue(TPiruBase& state, const std::string& target, const std::string& rest);

// The item written after owner + "の", read from the cursor.
std::string ReadOwnerItem(TPiruBase& state, THashNode& owner, TextPos& c);

}  // namespace pirune
