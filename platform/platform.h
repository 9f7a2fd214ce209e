// The operating-system seam. Everything here takes and gives Shift_JIS text; each side
// converts at the boundary (UTF-8 file names on POSIX, wide-character calls on Windows).
#pragma once
#include <optional>
#include <string>
#include <vector>

namespace pirune::platform {

// Remembers the process's command-line arguments (without the program itself), already
// converted to Shift_JIS. Called once by the program entry.
void SetCommandLineArguments(std::vector<std::string> arguments);
const std::vector<std::string>& CommandLineArguments();

// The whole content of a file, or nothing when it cannot be read.
std::optional<std::string> ReadFileBytes(const std::string& path);

// Appends bytes to a file, creating it when missing.
bool AppendToFile(const std::string& path, const std::string& bytes);

bool FileExists(const std::string& path);

// Full path of the running executable.
std::string RuntimePath();

std::string CurrentFolder();
bool SetCurrentFolder(const std::string& path);

// The system's folder for temporary files, ending with a path separator.
std::string TempFolder();

// The separator of folder names in paths of this system.
char PathSeparator();

// Folders the system knows by purpose; each ends with a path separator, or is empty
// when this system has no such folder.
enum class Folder { Desktop, Documents, StartMenu, Startup, SendTo, Windows, System, Temp, Favourites, Recent, Fonts, Music, Pictures };
std::string KnownFolder(Folder folder);

// A system colour by its Windows colour index, as 0x00BBGGRR.
unsigned SystemColour(int index);

// The size of the primary screen in pixels.
int ScreenWidth();
int ScreenHeight();

// Libraries loaded at run time. A name without a folder is searched for the way the
// system searches for libraries; null when the library cannot be loaded.
using Module = void*;
Module LoadModule(const std::string& path);
// An entry point by its exported name, or null.
void* ModuleEntry(Module module, const char* name);
void UnloadModule(Module module);
// A library's file name on this system: the stem with the system's suffix.
std::string ModuleFileName(const std::string& stem);

// The wall-clock time in the system's time zone (TZ on POSIX), to the millisecond.
struct LocalTime {
  int year, month, day, hour, minute, second, millisecond;
};
LocalTime CurrentLocalTime();
// A millisecond count that only moves forward, modulo 2^32 (since the system started,
// where the system tells).
unsigned MillisecondCounter();

// The Windows version packed as GetVersion gives it (0 where there is no Windows),
// and whether it is of the 9x family.
unsigned WindowsVersion();
bool IsWindows9x();

}  // namespace pirune::platform
