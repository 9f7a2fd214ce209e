#include <windows.h>

#include "platform/platform.h"
#include "platform/win32/wide.h"

namespace pirune::platform {

Module LoadModule(const std::string& path) {
  // A missing library is the caller's to report: no system dialog about it.
  UINT old_mode = SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
  HMODULE module = LoadLibraryW(win32::Widen(path).c_str());
  SetErrorMode(old_mode);
  return reinterpret_cast<Module>(module);
}

void* ModuleEntry(Module module, const char* name) {
  return reinterpret_cast<void*>(GetProcAddress(static_cast<HMODULE>(module), name));
}

void UnloadModule(Module module) { FreeLibrary(static_cast<HMODULE>(module)); }

std::string ModuleFileName(const std::string& stem) { return stem + ".dll"; }

}  // namespace pirune::platform
