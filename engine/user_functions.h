// User functions: labels with a parameter pattern, their arguments, and local scopes.
#pragma once

namespace pirune {

class TPiruBase;
class THashNode;

// Binds the word stack to the label's pattern and moves the arguments, evaluated, into
// the argument array.
void BindFunctionArguments(TPiruBase& state, const THashNode& label);

}  // namespace pirune
