// A choice made by typing, as the console runtime's questions take it.
#pragma once
#include <string>
#include <string_view>
#include <vector>

namespace pirune {

// The index of the choice the answer names: its number as listed (from 1), or else its
// text; -1 when it names none. Spaces around the answer are ignored. The number wins
// when a choice's text is itself a number, because the list shows the numbers.
int ChoiceFromAnswer(std::string_view answer, const std::vector<std::string>& choices);

}  // namespace pirune
