// File names between the runtime and a POSIX system.
#pragma once
#include <string>

namespace pirune::platform::posix {

// A Shift_JIS name as the system takes it: UTF-8, with "\" as "/" (UTF-8 has no byte
// 0x5C inside a character, so no character is cut). A name holding a zero byte would
// reach the system cut short and name another file: it becomes the empty name, which
// names nothing.
std::string SystemName(const std::string& sjis);

// A name the system gives back, in Shift_JIS; a character Shift_JIS lacks becomes "?".
std::string RuntimeName(const std::string& utf8);

}  // namespace pirune::platform::posix
