#include <windows.h>
#include <shlobj.h>

#include "platform/registry.h"
#include "platform/win32/wide.h"

namespace pirune::platform {
namespace {

class Key {
 public:
  Key() = default;
  ~Key() {
    if (key_ != nullptr) RegCloseKey(key_);
  }
  Key(const Key&) = delete;
  Key& operator=(const Key&) = delete;
  HKEY* Out() { return &key_; }
  HKEY Get() const { return key_; }

 private:
  HKEY key_ = nullptr;
};

HKEY Root(std::uint32_t root) { return reinterpret_cast<HKEY>(static_cast<ULONG_PTR>(0x80000000u + root)); }

bool Open(Key& key, std::uint32_t root, const std::string& path, REGSAM access) {
  return RegOpenKeyExW(Root(root), win32::Widen(path).c_str(), 0, access, key.Out()) == ERROR_SUCCESS;
}

bool Create(Key& key, std::uint32_t root, const std::string& path) {
  return RegCreateKeyExW(Root(root), win32::Widen(path).c_str(), 0, nullptr, 0, KEY_READ | KEY_WRITE, nullptr,
                         key.Out(), nullptr) == ERROR_SUCCESS;
}

// Deletes what lies below first: a key with sub-keys cannot be deleted on NT.
bool DeleteTree(HKEY parent, const std::wstring& name) {
  HKEY key;
  if (RegOpenKeyExW(parent, name.c_str(), 0, KEY_READ | KEY_WRITE, &key) != ERROR_SUCCESS) return false;
  bool ok = true;
  wchar_t child[256];
  for (;;) {
    DWORD length = 256;
    // Always the first: deleting renumbers those that stay.
    if (RegEnumKeyExW(key, 0, child, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
    if (!DeleteTree(key, std::wstring(child, length))) {
      ok = false;
      break;
    }
  }
  RegCloseKey(key);
  return ok && RegDeleteKeyW(parent, name.c_str()) == ERROR_SUCCESS;
}

}  // namespace

bool HasRegistry() { return true; }

bool RegistryKeyExists(std::uint32_t root, const std::string& path) {
  Key key;
  return Open(key, root, path, KEY_READ);
}

bool RegistryKeyUsable(std::uint32_t root, const std::string& path) {
  if (RegistryKeyExists(root, path)) return true;
  Key key;
  return RegOpenKeyExW(Root(root), nullptr, 0, KEY_READ, key.Out()) == ERROR_SUCCESS;
}

RegistryStatus RegistryGetValue(std::uint32_t root, const std::string& path, const std::string& name,
                                RegistryType type, std::string& data) {
  Key key;
  if (!Open(key, root, path, KEY_READ)) return RegistryStatus::Failed;
  const std::wstring wide_name = win32::Widen(name);
  DWORD kind = 0, size = 0;
  if (RegQueryValueExW(key.Get(), wide_name.c_str(), nullptr, &kind, nullptr, &size) != ERROR_SUCCESS)
    return RegistryStatus::Missing;
  const bool is_string = kind == REG_SZ || kind == REG_EXPAND_SZ;
  if ((type == RegistryType::String) != is_string || (type == RegistryType::Dword) != (kind == REG_DWORD))
    return RegistryStatus::WrongType;
  std::string bytes(size, '\0');
  // The value may change between the two questions: the second tells the size it gave.
  if (RegQueryValueExW(key.Get(), wide_name.c_str(), nullptr, &kind, reinterpret_cast<BYTE*>(bytes.data()), &size) !=
      ERROR_SUCCESS)
    return RegistryStatus::Failed;
  bytes.resize(size);
  if (type == RegistryType::String) {
    std::wstring text(reinterpret_cast<const wchar_t*>(bytes.data()), bytes.size() / sizeof(wchar_t));
    const std::size_t end = text.find(L'\0');
    if (end != std::wstring::npos) text.resize(end);
    data = win32::Narrow(text);
  } else {
    data = std::move(bytes);
  }
  return RegistryStatus::Ok;
}

bool RegistrySetValue(std::uint32_t root, const std::string& path, const std::string& name, RegistryType type,
                      const std::string& data) {
  Key key;
  if (!Create(key, root, path)) return false;
  const std::wstring wide_name = win32::Widen(name);
  if (type == RegistryType::String) {
    const std::wstring text = win32::Widen(data);
    return RegSetValueExW(key.Get(), wide_name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                          static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t))) == ERROR_SUCCESS;
  }
  return RegSetValueExW(key.Get(), wide_name.c_str(), 0, type == RegistryType::Dword ? REG_DWORD : REG_BINARY,
                        reinterpret_cast<const BYTE*>(data.data()), static_cast<DWORD>(data.size())) == ERROR_SUCCESS;
}

bool RegistryDeleteValue(std::uint32_t root, const std::string& path, const std::string& name) {
  Key key;
  return Open(key, root, path, KEY_READ | KEY_WRITE) &&
         RegDeleteValueW(key.Get(), win32::Widen(name).c_str()) == ERROR_SUCCESS;
}

bool RegistryDeleteKey(std::uint32_t root, const std::string& path, const std::string& sub_key) {
  Key key;
  return !sub_key.empty() && Open(key, root, path, KEY_READ | KEY_WRITE) && DeleteTree(key.Get(), win32::Widen(sub_key));
}

std::optional<std::vector<std::string>> RegistrySubKeys(std::uint32_t root, const std::string& path) {
  Key key;
  if (!Open(key, root, path, KEY_READ)) return std::nullopt;
  std::vector<std::string> names;
  wchar_t name[256];
  for (DWORD index = 0;; ++index) {
    DWORD length = 256;
    const LONG status = RegEnumKeyExW(key.Get(), index, name, &length, nullptr, nullptr, nullptr, nullptr);
    if (status == ERROR_NO_MORE_ITEMS) break;
    if (status != ERROR_SUCCESS) return std::nullopt;
    names.push_back(win32::Narrow(std::wstring_view(name, length)));
  }
  return names;
}

void NotifyAssociationsChanged() { SHChangeNotify(SHCNE_ASSOCCHANGED, SHCNF_IDLIST, nullptr, nullptr); }

}  // namespace pirune::platform
