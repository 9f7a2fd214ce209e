// What the console runtime answers for the desktop and system colours: it has no
// window system, so it reports the values of a plain default desktop. Known folders
// are in special_folders_posix.cpp.
#include <string>

#include "platform/platform.h"

namespace pirune::platform {

unsigned SystemColour(int index) {
  // The classic Windows defaults, so that scripts comparing colours behave alike.
  switch (index) {
    case 0: return 0xC8C8C8;   // scroll bar
    case 1: return 0x000000;   // desktop
    case 2: return 0xD1B499;   // active caption
    case 3: return 0xDBCDBF;   // inactive caption
    case 4: return 0xF0F0F0;   // menu
    case 5: return 0xFFFFFF;   // window
    case 13: return 0xFF9933;  // highlight
    default: return 0;
  }
}

int ScreenWidth() { return 1024; }
int ScreenHeight() { return 768; }
unsigned WindowsVersion() { return 0; }
bool IsWindows9x() { return false; }

}  // namespace pirune::platform
