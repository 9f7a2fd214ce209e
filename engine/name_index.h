// Finding a record by its name in time independent of how many records there are.
#pragma once
#include <cstdint>
#include <string_view>
#include <vector>

namespace pirune {

std::uint32_t NameHash(std::string_view name);

// Open addressing over records that hold their own name (`Name`): nothing is allocated
// per record, so a table that is filled again and again (a local scope, the dictionary at
// every start) costs little.
template <class Record>
class TNameIndexOf {
 public:
  Record* Find(std::string_view name) const { return Find(name, Hash(name)); }
  // The same with the name's hash computed once for several indexes.
  Record* Find(std::string_view name, std::uint32_t hash) const {
    if (size_ == 0) return nullptr;
    for (std::size_t i = Home(hash);; i = (i + 1) & (slots_.size() - 1)) {
      const Slot& s = slots_[i];
      if (!s.record) return nullptr;
      if (s.hash == hash && s.record->Name == name) return s.record;
    }
  }
  static std::uint32_t Hash(std::string_view name) { return NameHash(name); }
  // Indexes the record unless a record of its name is there already, which is returned.
  // A record's name must not change while it is indexed.
  Record* Insert(Record* record) {
    if ((size_ + 1) * 2 > slots_.size()) Grow();
    std::uint32_t hash = Hash(record->Name);
    std::size_t i = Home(hash);
    for (; slots_[i].record; i = (i + 1) & (slots_.size() - 1))
      if (slots_[i].hash == hash && slots_[i].record->Name == record->Name) return slots_[i].record;
    slots_[i] = Slot{hash, record};
    ++size_;
    return nullptr;
  }
  void Erase(std::string_view name) {
    if (size_ == 0) return;
    std::uint32_t hash = Hash(name);
    std::size_t mask = slots_.size() - 1;
    std::size_t i = Home(hash);
    while (slots_[i].record && !(slots_[i].hash == hash && slots_[i].record->Name == name)) i = (i + 1) & mask;
    if (!slots_[i].record) return;
    // The records after it in the run move back where a search would now stop short of them.
    for (std::size_t j = (i + 1) & mask; slots_[j].record; j = (j + 1) & mask) {
      std::size_t home = Home(slots_[j].hash);
      bool reachable = i <= j ? (home > i && home <= j) : (home > i || home <= j);
      if (reachable) continue;
      slots_[i] = slots_[j];
      i = j;
    }
    slots_[i] = Slot{};
    --size_;
  }
  void Clear() {
    if (size_ == 0) return;
    for (Slot& s : slots_) s = Slot{};
    size_ = 0;
  }
  std::size_t Size() const { return size_; }

 private:
  struct Slot {
    std::uint32_t hash = 0;
    Record* record = nullptr;
  };
  void Grow() {
    std::vector<Slot> old = std::move(slots_);
    slots_.assign(old.empty() ? 16 : old.size() * 2, Slot{});
    std::size_t mask = slots_.size() - 1;
    for (const Slot& s : old) {
      if (!s.record) continue;
      std::size_t i = Home(s.hash);
      while (slots_[i].record) i = (i + 1) & mask;
      slots_[i] = s;
    }
  }
  std::size_t Home(std::uint32_t hash) const { return hash & (slots_.size() - 1); }

  std::vector<Slot> slots_;  // a power of two long, at most half full
  std::size_t size_ = 0;
};

class THashNode;
using TNameIndex = TNameIndexOf<THashNode>;

}  // namespace pirune
