// Replacing a file's whole content so that it is either wholly new or still wholly old:
// the bytes go to a temporary file beside it, flushed to the disk, which then takes its
// name (keeping the old file's attributes). A failure at any step removes the temporary
// file and leaves the old one untouched. Shift_JIS names, as everywhere in platform/.
#pragma once
#include <string>

namespace pirune::platform {

// False when the content could not be put in place; a missing file is created.
bool ReplaceFileContent(const std::string& path, const std::string& bytes);

}  // namespace pirune::platform
