// No registry here: the registry commands tell the script so before they call any of
// these.
#include "platform/registry.h"

namespace pirune::platform {

bool HasRegistry() { return false; }
bool RegistryKeyExists(std::uint32_t, const std::string&) { return false; }
bool RegistryKeyUsable(std::uint32_t, const std::string&) { return false; }
RegistryStatus RegistryGetValue(std::uint32_t, const std::string&, const std::string&, RegistryType, std::string&) {
  return RegistryStatus::Failed;
}
bool RegistrySetValue(std::uint32_t, const std::string&, const std::string&, RegistryType, const std::string&) {
  return false;
}
bool RegistryDeleteValue(std::uint32_t, const std::string&, const std::string&) { return false; }
bool RegistryDeleteKey(std::uint32_t, const std::string&, const std::string&) { return false; }
std::optional<std::vector<std::string>> RegistrySubKeys(std::uint32_t, const std::string&) { return std::nullopt; }
void NotifyAssociationsChanged() {}

}  // namespace pirune::platform
