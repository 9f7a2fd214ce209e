// Program texts: every text the run's cursor walks (loaded files, copies of blocks,
// texts run as programs) is made here, and counted when freed. While no program text has
// been freed, a program text found at an address is still the one that was there: what
// was decoded from it needs no second look at its bytes.
#pragma once
#include <cstdint>
#include <memory>
#include <string>

namespace pirune {

using ProgramText = std::shared_ptr<const std::string>;

ProgramText MakeProgramText(std::string text);
// Whether the text is a program text still alive.
bool IsProgramText(const std::string* text);

namespace detail {
inline std::uint64_t program_texts_freed = 0;
}
// Moves on whenever a program text is freed.
inline std::uint64_t ProgramTextsFreed() { return detail::program_texts_freed; }

}  // namespace pirune
