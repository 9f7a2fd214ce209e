// For tests of what happens when a freed program text's address is given to a new one.
#pragma once
#include <string>
#include <vector>

#include "engine/program_text.h"

namespace pirune::testing {

// Makes texts until one lands at `address` (null if none does). The misses are kept
// until then, so that each try takes another freed block, as a long run would.
inline ProgramText MakeTextAt(const std::string* address, const std::string& content) {
  std::vector<ProgramText> misses;
  for (int tries = 0; tries < 256; ++tries) {
    ProgramText made = MakeProgramText(content);
    if (made.get() == address) return made;
    misses.push_back(std::move(made));
  }
  return nullptr;
}

}  // namespace pirune::testing
