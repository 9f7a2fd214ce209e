#include <dlfcn.h>

#include "platform/cp932.h"
#include "platform/platform.h"

namespace pirune::platform {

Module LoadModule(const std::string& path) { return dlopen(cp932::ToUtf8(path).c_str(), RTLD_NOW | RTLD_LOCAL); }

void* ModuleEntry(Module module, const char* name) { return dlsym(module, name); }

void UnloadModule(Module module) { dlclose(module); }

std::string ModuleFileName(const std::string& stem) { return stem + ".so"; }

}  // namespace pirune::platform
