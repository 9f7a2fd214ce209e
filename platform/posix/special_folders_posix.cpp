// Special folders on POSIX systems: the XDG user folders (user-dirs.dirs, as the desktop
// keeps them, else their usual names under the home folder) and the XDG base folders.
#include <cstdlib>
#include <fstream>
#include <string>

#include "platform/cp932.h"
#include "platform/platform.h"
#include "platform/special_folder.h"

namespace pirune::platform {
namespace {

std::string Slashed(std::string path) {
  if (path.empty() || path.back() != '/') path += '/';
  return path;
}

std::string Home() {
  const char* home = std::getenv("HOME");
  return Slashed(home != nullptr && *home != '\0' ? home : "/");
}

// An XDG base folder: its variable when it holds an absolute path, else the default.
std::string BaseFolder(const char* variable, const char* below_home) {
  const char* value = std::getenv(variable);
  if (value != nullptr && value[0] == '/') return Slashed(value);
  return Home() + below_home;
}

// A user folder from user-dirs.dirs ("XDG_DESKTOP_DIR=\"$HOME/Desktop\""), else the
// name it has when the desktop never set one.
std::string UserFolder(const char* key, const char* usual) {
  std::ifstream dirs(BaseFolder("XDG_CONFIG_HOME", ".config/") + "user-dirs.dirs");
  const std::string prefix = std::string(key) + "=\"";
  for (std::string line; std::getline(dirs, line);) {
    if (line.compare(0, prefix.size(), prefix) != 0 || line.size() < prefix.size() + 1 || line.back() != '"') continue;
    std::string path = line.substr(prefix.size(), line.size() - prefix.size() - 1);
    if (path.compare(0, 6, "$HOME/") == 0) return Slashed(Home() + path.substr(6));
    if (path == "$HOME") return Home();
    if (!path.empty() && path[0] == '/') return Slashed(path);
  }
  return Home() + usual;
}

std::string Utf8Folder(int csidl) {
  switch (csidl) {
    case 0x00: case 0x10: return UserFolder("XDG_DESKTOP_DIR", "Desktop/");
    case 0x05: case 0x0C: return UserFolder("XDG_DOCUMENTS_DIR", "Documents/");
    case 0x0D: return UserFolder("XDG_MUSIC_DIR", "Music/");
    case 0x0E: return UserFolder("XDG_VIDEOS_DIR", "Videos/");
    case 0x15: return UserFolder("XDG_TEMPLATES_DIR", "Templates/");
    case 0x27: return UserFolder("XDG_PICTURES_DIR", "Pictures/");
    case 0x02: case 0x0B: return BaseFolder("XDG_DATA_HOME", ".local/share/") + "applications/";
    case 0x07: return BaseFolder("XDG_CONFIG_HOME", ".config/") + "autostart/";
    case 0x14: return "/usr/share/fonts/";
    case 0x1A: return BaseFolder("XDG_CONFIG_HOME", ".config/");
    case 0x1C: return BaseFolder("XDG_DATA_HOME", ".local/share/");
    case 0x20: return BaseFolder("XDG_CACHE_HOME", ".cache/");
    case 0x28: return Home();
    default: return {};
  }
}

}  // namespace

std::string SpecialFolder(int csidl) {
  const std::string folder = Utf8Folder(csidl);
  auto sjis = cp932::FromUtf8(folder);
  return sjis ? std::move(*sjis) : folder;
}

std::string KnownFolder(Folder folder) {
  switch (folder) {
    case Folder::Desktop: return SpecialFolder(0x10);
    case Folder::Documents: return SpecialFolder(0x05);
    case Folder::StartMenu: return SpecialFolder(0x0B);
    case Folder::Startup: return SpecialFolder(0x07);
    case Folder::Fonts: return SpecialFolder(0x14);
    case Folder::Music: return SpecialFolder(0x0D);
    case Folder::Pictures: return SpecialFolder(0x27);
    case Folder::Temp: return TempFolder();
    default: return {};
  }
}

}  // namespace pirune::platform
