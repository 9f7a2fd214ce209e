// Reading a script file: its lines joined with CR LF, converted to Shift_JIS when an
// editor saved it as UTF-8.
#pragma once
#include <string>

namespace pirune {

struct ScriptFile {
  enum Status { kOk, kUnreadable, kNotShiftJis } status = kUnreadable;
  std::string text;  // every line followed by CR LF
  int bad_line = 0;  // for kNotShiftJis: the line holding a character Shift_JIS lacks
};

ScriptFile ReadScriptFile(const std::string& path);

// Lines (ended by CR LF, LF or CR) joined, every line followed by CR LF; the text ends
// at its first zero byte.
std::string JoinLines(const std::string& bytes);

// The message for a script that holds characters Shift_JIS cannot represent.
std::string NotShiftJisMessage(const std::string& path, int line);

}  // namespace pirune
