// Folders by the Windows special-folder numbers (CSIDL) that scripts pass. Windows asks
// the shell; elsewhere the numbers that have a counterpart map to the XDG user folders
// and base directories. `KnownFolder` answers through the same table.
#pragma once
#include <string>

namespace pirune::platform {

// The folder's path ending with a separator; empty when this system has no such folder.
std::string SpecialFolder(int csidl);

}  // namespace pirune::platform
