// What the reader decoded at a text position, kept for the next time the same text is
// read there. Program texts never change once prepared, but a block's copy may be freed
// and another text made at the same address, so an entry counts only while the bytes it
// was decoded from are still the bytes at that position.
#pragma once
#include <cstddef>
#include <string>
#include <unordered_map>

#include "engine/text_pos.h"

namespace pirune {

template <class Decoded>
class DecodeCache {
 public:
  // The entry for `at`, or null. `end` tells where the decoded text ended.
  const Decoded* Find(const TextPos& at, std::size_t& end) const {
    auto it = entries_.find(Key{at.text, at.offset});
    if (it == entries_.end()) return nullptr;
    const Entry& e = it->second;
    if (at.text->compare(at.offset, e.source.size(), e.source) != 0) return nullptr;
    end = at.offset + e.source.size();
    return &e.decoded;
  }

  void Store(const TextPos& at, std::size_t end, Decoded decoded) {
    if (entries_.size() >= kLimit) entries_.clear();  // texts of finished blocks pile up
    entries_[Key{at.text, at.offset}] = Entry{at.text->substr(at.offset, end - at.offset), std::move(decoded)};
  }

 private:
  static constexpr std::size_t kLimit = 4096;
  struct Key {
    const std::string* text;
    std::size_t offset;
    bool operator==(const Key&) const = default;
  };
  struct KeyHash {
    std::size_t operator()(const Key& k) const {
      return std::hash<const void*>()(k.text) ^ (k.offset * 0x9E3779B97F4A7C15ull);
    }
  };
  struct Entry {
    std::string source;
    Decoded decoded;
  };
  std::unordered_map<Key, Entry, KeyHash> entries_;
};

}  // namespace pirune
