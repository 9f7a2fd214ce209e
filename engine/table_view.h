// A variable's value addressed as a table: A#r is row r as one CSV line, A#c#r the cell
// in column c of row r (columns and rows counted from 0).
#pragma once
#include <string>

#include "engine/text_pos.h"

namespace pirune {

class TPiruBase;
class THashNode;

// Reads the element whose keys follow at the cursor (on the first "#").
std::string ReadElement(TPiruBase& state, THashNode& word, TextPos& c);

// The assignment of the value written as `value_text` to the target "name#k1[#k2]".
void AssignElement(TPiruBase& state, const std::string& target, const std::string& value_text);

}  // namespace pirune
