// Paths as texts: where the folder part ends, extensions, joining and the expansion of
// relative paths. Folders are separated by "\"; where the system itself separates by
// "/" (POSIX), "/" separates too and a leading "/" makes a path absolute. Walked as
// Shift_JIS, so a trail byte 0x5C is never a separator.
#pragma once
#include <cstddef>
#include <string>
#include <string_view>

namespace pirune::files {

// Whether "/" separates folders on this system.
bool SlashSeparates();

// The byte after the last separator or ":" (0 when there is none).
std::size_t NameStart(std::string_view path, bool slash = SlashSeparates());
// Up to and including the last separator or ":".
std::string FolderOf(std::string_view path, bool slash = SlashSeparates());
std::string NameOf(std::string_view path, bool slash = SlashSeparates());
// From the last "." of the name on; empty without one.
std::string ExtensionOf(std::string_view path, bool slash = SlashSeparates());
std::string WithExtension(std::string_view path, std::string_view extension, bool slash = SlashSeparates());

// Whether the path holds ":\" or "\\" (or, where "/" separates, begins with "/").
bool IsAbsolute(std::string_view path, bool slash = SlashSeparates());
bool EndsWithSeparator(std::string_view path, bool slash = SlashSeparates());
// The separator a path composed on `base` takes: "/" when the base is written with "/"
// only (where "/" separates), else "\".
char SeparatorOf(std::string_view base, bool slash = SlashSeparates());
// `folder` and `name` with one separator between them (none after an empty folder or
// one ending in a separator or ":").
std::string Join(std::string_view folder, std::string_view name, bool slash = SlashSeparates());

// "絶対パス展開": the relative path resolved against the base folder; "." steps are
// dropped and each ".." drops a piece of the base (stopping at its first piece, the root).
std::string ExpandRelative(std::string_view relative, std::string_view base, bool slash = SlashSeparates());

}  // namespace pirune::files
