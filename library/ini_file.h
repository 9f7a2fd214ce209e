// Settings (INI) files, read and written by our own code in both runtimes, so a file
// reads the same whatever the system's code page. Reading follows the system's profile
// reader: section and key names are compared with ASCII case ignored and blanks around
// them trimmed, a value loses the blanks around it and one pair of enclosing quotes, and
// the first of duplicate sections or keys wins. A write changes only its key's line (or
// adds one), so comments, order and the other lines stay as the user left them.
#pragma once
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>

#include "library/file_writer.h"

namespace pirune::ini {

// The value of `key` in `section` of a settings text; nothing when it is not there.
std::optional<std::string> Lookup(std::string_view text, std::string_view section, std::string_view key);

// The text with `key` in `section` set to `value`: the key's line keeps everything up to
// its "=", a missing key goes behind the last line of its section, a missing section at
// the end. Nothing when the names or the value cannot be written so that they read back:
// a line break anywhere, "]" in the section, "=" in the key or a key that would read as
// a section or a comment.
std::optional<std::string> WithValue(std::string_view text, std::string_view section, std::string_view key,
                                     std::string_view value);

// The value from a settings file; nothing when the file or the key is missing.
std::optional<std::string> ReadValue(const std::string& path, std::string_view section, std::string_view key);

// Sets a value in a settings file, creating it when missing. The new content goes
// through the safe writer, so a failure (a full disk, a name that cannot be written, a
// read-only file) leaves the old file as it was.
bool WriteValue(const std::string& path, std::string_view section, std::string_view key, std::string_view value);

// Several values of one section in one replacement: all are written or none. `replace`
// is the writer's last step, for tests that make it fail.
struct KeyValue {
  std::string_view key, value;
};
bool WriteValues(const std::string& path, std::string_view section, std::initializer_list<KeyValue> values,
                 FileReplacer replace = platform::ReplaceWith);

}  // namespace pirune::ini
