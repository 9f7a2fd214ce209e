// The system variables every run starts with.
#pragma once

namespace pirune {

class TPiruBase;

// Adds every system variable to the dictionary and keeps the state's references to
// the ones the engine reads directly. Also settles how the script sees its command
// line ("コマンドライン引数", "母艦のパス", MainPath, ProgramPath).
void RegisterSystemVariables(TPiruBase& state);

}  // namespace pirune
