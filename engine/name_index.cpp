#include "engine/name_index.h"

namespace pirune {
// FNV-1a, with its high bits folded into the low ones that choose the slot: names that
// differ only in their last digits must still land apart.
std::uint32_t NameHash(std::string_view name) {
  std::uint64_t h = 14695981039346656037ull;
  for (unsigned char c : name) h = (h ^ c) * 1099511628211ull;
  return static_cast<std::uint32_t>(h ^ (h >> 29));
}

}  // namespace pirune
