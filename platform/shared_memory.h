// Named blocks of shared memory through which running programs pass a short text: a
// file mapping of the system's paging store on Windows, a POSIX shared-memory object
// elsewhere. A block this program writes lives until the program ends.
#pragma once
#include <optional>
#include <string>

namespace pirune::platform {

constexpr std::size_t kSharedBlockSize = 256;

// Stores the text's first 256 bytes at the start of the named block (created when
// missing), with a zero byte behind a shorter text; false when the block cannot be had.
bool WriteSharedBlock(const std::string& name, const std::string& text);

// The block's bytes up to its first zero byte (at most 256); nothing when no block of
// that name exists.
std::optional<std::string> ReadSharedBlock(const std::string& name);

// Lets go of the blocks this program made, as its end does: for a process that runs
// one program after another, so that the next one finds none of them.
void ReleaseOwnSharedBlocks();

// Puts the blocks' names in a space of their own (a prefix), for a process that runs
// programs one after another and must meet no block of another process: a POSIX block
// outlives a process that dies without letting go of it.
void SetSharedBlockSpace(std::string space);

}  // namespace pirune::platform
