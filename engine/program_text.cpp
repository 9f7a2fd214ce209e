#include "engine/program_text.h"

#include <unordered_set>

namespace pirune {
namespace {

// Never destroyed: texts held by objects with static lifetime are freed after
// everything else at exit.
std::unordered_set<const std::string*>& LiveTexts() {
  static auto* live = new std::unordered_set<const std::string*>;
  return *live;
}

}  // namespace

ProgramText MakeProgramText(std::string text) {
  auto* owned = new const std::string(std::move(text));
  LiveTexts().insert(owned);
  return ProgramText(owned, [](const std::string* freed) {
    LiveTexts().erase(freed);
    ++detail::program_texts_freed;
    delete freed;
  });
}

bool IsProgramText(const std::string* text) { return LiveTexts().count(text) != 0; }

}  // namespace pirune
