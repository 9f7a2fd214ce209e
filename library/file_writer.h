// Writing files so that a failure loses nothing: the new content goes to a temporary
// file beside the target, is flushed to the disk and then renamed over the target, which
// keeps its access rights. Until the rename the old file is untouched; a failure removes
// the temporary file.
#pragma once
#include <functional>
#include <string>
#include <string_view>

#include "platform/files.h"

namespace pirune {

// Writes the new content into the temporary file; false on failure.
using FileFiller = std::function<bool(platform::File&)>;
// The last step, replaceable by tests that make it fail.
using FileReplacer = bool (*)(const std::string& from, const std::string& to);

// Replaces (or creates) the file at `path` with what `fill` writes. A target that is
// read-only is refused, as writing into it would be.
bool WriteFileSafely(const std::string& path, const FileFiller& fill, FileReplacer replace = platform::ReplaceWith);
bool WriteFileSafely(const std::string& path, std::string_view bytes);

// Appends to an existing file; a failure cuts it back to its old length.
bool AppendToExistingFile(const std::string& path, std::string_view bytes);

}  // namespace pirune
