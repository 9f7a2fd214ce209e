// Where the file commands look for the files they read, and the program-folder rule.
#pragma once
#include <optional>
#include <string>
#include <vector>

#include "engine/command_api.h"

namespace pirune::files {

// The first of `folders` (each followed by the name) where a file of that name exists;
// the name itself when there is none. A name with ":" (or, where "/" separates, an
// absolute one) is used as it stands.
std::string SearchFolders(const std::string& name, const std::vector<std::string>& folders);

// The reading search: the current folder, the program's folder, the runtime's, the
// system's two folders, the running program file's folder; the packed-file lookup first.
std::string FindForReading(const TCommand& c, const std::string& name);

// A relative path taken as relative to the program's folder.
std::string InProgramFolder(const TCommand& c, const std::string& path);

// The packed-file lookup: the path of an extracted copy of the packed file of that name.
// Set by whatever opens the runtime's container of packed files; none until then.
using PackedLookup = std::optional<std::string> (*)(const std::string& name);
void SetPackedLookup(PackedLookup lookup);

}  // namespace pirune::files
