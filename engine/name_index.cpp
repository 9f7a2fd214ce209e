#include "engine/name_index.h"

#include "engine/words.h"

namespace pirune {
// FNV-1a, with its high bits folded into the low ones that choose the slot: names that
// differ only in their last digits must still land apart.
std::uint32_t TNameIndex::Hash(std::string_view name) {
  std::uint64_t h = 14695981039346656037ull;
  for (unsigned char c : name) h = (h ^ c) * 1099511628211ull;
  return static_cast<std::uint32_t>(h ^ (h >> 29));
}

THashNode* TNameIndex::Find(std::string_view name, std::uint32_t hash) const {
  if (size_ == 0) return nullptr;
  for (std::size_t i = Home(hash);; i = (i + 1) & (slots_.size() - 1)) {
    const Slot& s = slots_[i];
    if (!s.word) return nullptr;
    if (s.hash == hash && s.word->Name == name) return s.word;
  }
}

THashNode* TNameIndex::Insert(THashNode* word) {
  if ((size_ + 1) * 2 > slots_.size()) Grow();
  std::uint32_t hash = Hash(word->Name);
  std::size_t i = Home(hash);
  for (; slots_[i].word; i = (i + 1) & (slots_.size() - 1))
    if (slots_[i].hash == hash && slots_[i].word->Name == word->Name) return slots_[i].word;
  slots_[i] = Slot{hash, word};
  ++size_;
  return nullptr;
}

void TNameIndex::Erase(std::string_view name) {
  if (size_ == 0) return;
  std::uint32_t hash = Hash(name);
  std::size_t mask = slots_.size() - 1;
  std::size_t i = Home(hash);
  while (slots_[i].word && !(slots_[i].hash == hash && slots_[i].word->Name == name)) i = (i + 1) & mask;
  if (!slots_[i].word) return;
  // The words after it in the run move back where a search would now stop short of them.
  for (std::size_t j = (i + 1) & mask; slots_[j].word; j = (j + 1) & mask) {
    std::size_t home = Home(slots_[j].hash);
    bool reachable = i <= j ? (home > i && home <= j) : (home > i || home <= j);
    if (reachable) continue;
    slots_[i] = slots_[j];
    i = j;
  }
  slots_[i] = Slot{};
  --size_;
}

void TNameIndex::Clear() {
  if (size_ == 0) return;
  for (Slot& s : slots_) s = Slot{};
  size_ = 0;
}

void TNameIndex::Grow() {
  std::vector<Slot> old = std::move(slots_);
  slots_.assign(old.empty() ? 16 : old.size() * 2, Slot{});
  std::size_t mask = slots_.size() - 1;
  for (const Slot& s : old) {
    if (!s.word) continue;
    std::size_t i = Home(s.hash);
    while (slots_[i].word) i = (i + 1) & mask;
    slots_[i] = s;
  }
}

}  // namespace pirune
