// Finding a word by its name in time independent of how many words there are.
#pragma once
#include <cstdint>
#include <string_view>
#include <vector>

namespace pirune {

class THashNode;

// Open addressing over the words' names, which the words themselves hold: nothing is
// allocated per word, so a table that is filled again and again (a local scope, the
// dictionary at every start) costs little.
class TNameIndex {
 public:
  THashNode* Find(std::string_view name) const { return Find(name, Hash(name)); }
  // The same with the name's hash computed once for several indexes (the scopes a
  // lookup passes through).
  THashNode* Find(std::string_view name, std::uint32_t hash) const;
  static std::uint32_t Hash(std::string_view name);
  // Indexes the word unless a word of its name is there already, which is returned.
  // A word's name must not change while it is indexed.
  THashNode* Insert(THashNode* word);
  void Erase(std::string_view name);
  void Clear();
  std::size_t Size() const { return size_; }

 private:
  struct Slot {
    std::uint32_t hash = 0;
    THashNode* word = nullptr;
  };
  void Grow();
  std::size_t Home(std::uint32_t hash) const { return hash & (slots_.size() - 1); }

  std::vector<Slot> slots_;  // a power of two long, at most half full
  std::size_t size_ = 0;
};

}  // namespace pirune
