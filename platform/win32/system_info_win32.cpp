// Desktop, colours, known folders and the Windows version, from the system itself.
#include <windows.h>
#include <shlobj.h>

#include <string>

#include "platform/cp932.h"
#include "platform/platform.h"
#include "platform/special_folder.h"

namespace pirune::platform {
namespace {

std::string WithSeparator(const wchar_t* path) {
  std::string s = cp932::FromUtf16(reinterpret_cast<const char16_t*>(path));
  if (!s.empty() && s.back() != '\\') s += '\\';
  return s;
}

std::string ShellFolder(int csidl) {
  wchar_t path[MAX_PATH] = {};
  if (FAILED(SHGetFolderPathW(nullptr, csidl, nullptr, 0, path))) return {};
  return WithSeparator(path);
}

}  // namespace

std::string SpecialFolder(int csidl) { return ShellFolder(csidl); }

std::string KnownFolder(Folder folder) {
  switch (folder) {
    case Folder::Desktop: return ShellFolder(CSIDL_DESKTOPDIRECTORY);
    case Folder::Documents: return ShellFolder(CSIDL_PERSONAL);
    case Folder::StartMenu: return ShellFolder(CSIDL_STARTMENU);
    case Folder::Startup: return ShellFolder(CSIDL_STARTUP);
    case Folder::SendTo: return ShellFolder(CSIDL_SENDTO);
    case Folder::Favourites: return ShellFolder(CSIDL_FAVORITES);
    case Folder::Recent: return ShellFolder(CSIDL_RECENT);
    case Folder::Fonts: return ShellFolder(CSIDL_FONTS);
    case Folder::Music: return ShellFolder(CSIDL_MYMUSIC);
    case Folder::Pictures: return ShellFolder(CSIDL_MYPICTURES);
    case Folder::Temp: return TempFolder();
    case Folder::Windows: {
      wchar_t path[MAX_PATH] = {};
      return GetWindowsDirectoryW(path, MAX_PATH) ? WithSeparator(path) : std::string();
    }
    case Folder::System: {
      wchar_t path[MAX_PATH] = {};
      return GetSystemDirectoryW(path, MAX_PATH) ? WithSeparator(path) : std::string();
    }
  }
  return {};
}

unsigned SystemColour(int index) { return GetSysColor(index); }
int ScreenWidth() { return GetSystemMetrics(SM_CXSCREEN); }
int ScreenHeight() { return GetSystemMetrics(SM_CYSCREEN); }

unsigned WindowsVersion() {
  OSVERSIONINFOW info{};
  info.dwOSVersionInfoSize = sizeof info;
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
  if (!GetVersionExW(&info)) return 0;
#pragma GCC diagnostic pop
  return (info.dwMajorVersion & 0xFF) | ((info.dwMinorVersion & 0xFF) << 8) | ((info.dwBuildNumber & 0x7FFF) << 16);
}

bool IsWindows9x() {
  OSVERSIONINFOW info{};
  info.dwOSVersionInfoSize = sizeof info;
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
  return GetVersionExW(&info) && info.dwPlatformId == VER_PLATFORM_WIN32_WINDOWS;
#pragma GCC diagnostic pop
}

}  // namespace pirune::platform
