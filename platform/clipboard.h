// The clipboard's text. On Windows it is the system's clipboard; the console runtime has
// one of its own that lives as long as the run (a console may have no desktop at all),
// so scripts that pass text through it behave alike in both runtimes.
#pragma once
#include <string>

namespace pirune::platform {

// The text on the clipboard; empty when it holds none. Text ends at its first zero byte
// in both runtimes, as the system's clipboard keeps it.
std::string ClipboardText();

// Puts the text on the clipboard; false when the clipboard could not be had.
bool SetClipboardText(const std::string& text);

}  // namespace pirune::platform
