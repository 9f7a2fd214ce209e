#include "engine/program_text.h"

#include <unordered_map>

namespace pirune {
namespace {

using LiveTexts = std::unordered_map<const std::string*, std::weak_ptr<const std::string>>;

// Never destroyed: texts held by objects with static lifetime are freed after
// everything else at exit.
LiveTexts& Live() {
  static auto* live = new LiveTexts;
  return *live;
}

// A text and its entry among the live ones, made in one piece and gone in one piece.
struct Owned {
  explicit Owned(std::string t) : text(std::move(t)) {}
  ~Owned() { Live().erase(&text); }
  const std::string text;
};

}  // namespace

ProgramText MakeProgramText(std::string text) {
  auto owned = std::make_shared<const Owned>(std::move(text));
  ProgramText made(owned, &owned->text);
  Live()[made.get()] = made;
  return made;
}

ProgramText KeepText(const std::string* text) {
  if (!text) return nullptr;
  auto found = Live().find(text);
  return found == Live().end() ? nullptr : found->second.lock();
}

}  // namespace pirune
