// Shortcut files through the shell's link object.
#include <windows.h>

#include <objbase.h>
#include <shlobj.h>

#include "platform/files.h"
#include "platform/win32/wide.h"

namespace pirune::platform {

bool MakeShortcut(const std::string& link, const std::string& target, const std::string& folder) {
  const HRESULT init = CoInitialize(nullptr);
  bool ok = false;
  IShellLinkW* shell_link = nullptr;
  if (SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                 reinterpret_cast<void**>(&shell_link)))) {
    shell_link->SetPath(win32::Widen(target).c_str());
    shell_link->SetWorkingDirectory(win32::Widen(folder).c_str());
    shell_link->SetArguments(L"");
    shell_link->SetShowCmd(SW_SHOWNORMAL);
    IPersistFile* file = nullptr;
    if (SUCCEEDED(shell_link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file)))) {
      ok = SUCCEEDED(file->Save(win32::Widen(link).c_str(), TRUE));
      file->Release();
    }
    shell_link->Release();
  }
  if (SUCCEEDED(init)) CoUninitialize();
  return ok;
}

}  // namespace pirune::platform
