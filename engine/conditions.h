// Choosing between blocks: "もし" chains, the short "?" form and "条件分岐" with its
// "の時" labels. Running the chosen block is the run-control stack's business.
#pragma once
#include <string>

namespace pirune {

class TPiruBase;

// The short condition statement: the most recent fragment is the condition.
void ShortCondition(TPiruBase& state);

// A statement whose first word ends with "の時": `label` is the word without it.
void CaseLabel(TPiruBase& state, const std::string& label);

}  // namespace pirune
