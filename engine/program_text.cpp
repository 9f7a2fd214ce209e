#include "engine/program_text.h"

#include <unordered_map>

namespace pirune {
namespace {

struct LiveTexts {
  std::unordered_map<const std::string*, std::weak_ptr<const std::string>> by_address;
  // The last text asked for: blocks and calls mostly ask about the text they run in.
  const std::string* asked = nullptr;
  std::weak_ptr<const std::string> answer;
};

// Never destroyed: texts held by objects with static lifetime are freed after
// everything else at exit.
LiveTexts& Live() {
  static auto* live = new LiveTexts;
  return *live;
}

}  // namespace

namespace {

// A text and its entry among the live ones, made in one piece and gone in one piece.
struct Owned {
  explicit Owned(std::string t) : text(std::move(t)) {}
  ~Owned() {
    LiveTexts& live = Live();
    live.by_address.erase(&text);
    if (live.asked == &text) {
      live.asked = nullptr;
      live.answer.reset();
    }
  }
  const std::string text;
};

}  // namespace

ProgramText MakeProgramText(std::string text) {
  auto owned = std::make_shared<const Owned>(std::move(text));
  ProgramText made(owned, &owned->text);
  Live().by_address[made.get()] = made;
  return made;
}

ProgramText KeepText(const std::string* text) {
  if (!text) return nullptr;
  LiveTexts& live = Live();
  if (text == live.asked) return live.answer.lock();  // forgotten when freed
  auto found = live.by_address.find(text);
  if (found == live.by_address.end()) return nullptr;
  ProgramText kept = found->second.lock();
  if (!kept) return nullptr;  // being freed just now
  live.asked = text;
  live.answer = found->second;
  return kept;
}

}  // namespace pirune
