// The Windows registry, with Shift_JIS names and texts converted through our code page
// 932 table. Other systems have none: there every call fails and `HasRegistry` says so.
// A key is named by its root (the predefined key 0x80000000 + `root`) and a path below
// it; each call opens the key for itself, so nothing stays open between commands.
#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace pirune::platform {

bool HasRegistry();

enum class RegistryType { String, Dword, Binary };
enum class RegistryStatus { Ok, Missing, WrongType, Failed };

// Whether the key exists.
bool RegistryKeyExists(std::uint32_t root, const std::string& path);
// Whether the key exists or its root opens, so that a write could create it.
bool RegistryKeyUsable(std::uint32_t root, const std::string& path);

// A value: a string's text, a DWORD's four bytes (little-endian), a binary's bytes.
// A string value may also be an expandable string; a binary value any type but those.
RegistryStatus RegistryGetValue(std::uint32_t root, const std::string& path, const std::string& name,
                                RegistryType type, std::string& data);
// Sets a value, creating the key and those above it when missing.
bool RegistrySetValue(std::uint32_t root, const std::string& path, const std::string& name, RegistryType type,
                      const std::string& data);
bool RegistryDeleteValue(std::uint32_t root, const std::string& path, const std::string& name);
// Deletes a sub-key with everything below it.
bool RegistryDeleteKey(std::uint32_t root, const std::string& path, const std::string& sub_key);
std::optional<std::vector<std::string>> RegistrySubKeys(std::uint32_t root, const std::string& path);

// Tells the shell that file-type associations changed.
void NotifyAssociationsChanged();

}  // namespace pirune::platform
