// Choosing and loading the start script from the command line.
#pragma once
#include <string>
#include <vector>

namespace pirune {

class TPiruBase;
class Host;

// Reads the options in `arguments`; sets the start file (unless one is set) and the
// state's modes. Answers false when the start must be abandoned.
bool ReadOptions(TPiruBase& state, Host& host, const std::vector<std::string>& arguments, std::string& start_file);

// The runtime's own path with its extension replaced by ".prw".
std::string DefaultScriptPath();

}  // namespace pirune
