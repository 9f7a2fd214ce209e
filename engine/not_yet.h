// Commands and forms whose implementation has not been written yet report so honestly
// as a script error naming them, instead of doing nothing.
#pragma once
#include <string_view>

namespace pirune {

class TPiruBase;

[[noreturn]] void NotAvailableYet(TPiruBase& state, std::string_view name);

}  // namespace pirune
