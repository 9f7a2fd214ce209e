// What the reader decoded at a text position, kept for the next time the same text is
// read there. A position is (text, offset, end of the walked part): a block's end can
// stop a reading that the whole text would let go on. An entry holds its program text,
// so no other text can be made at that address while the entry lasts: an entry found is
// always the decoding of the bytes at that position. Texts that are no program texts are
// not kept.
//
// Every statement looks itself up here, so the table is a plain open-addressed one whose
// size is a power of two. An entry found lasts until the next Store; whoever runs code
// that may decode more takes what it needs first. With the fast paths off nothing is
// found, and nothing stored.
#pragma once
#include <cstddef>
#include <memory>
#include <vector>

#include "engine/fast_paths.h"
#include "engine/program_text.h"
#include "engine/text_pos.h"

namespace pirune {

template <class Decoded>
class DecodeCache {
 public:
  // The entry for `at`, or null. `stop` tells where the decoded text ended.
  const Decoded* Find(const TextPos& at, std::size_t& stop) const {
    if (slots_.empty() || !at.text || !FastPathsOn()) return nullptr;
    for (std::size_t i = SlotOf(at);; i = (i + 1) & mask_) {
      const Slot& s = slots_[i];
      if (!s.entry) return nullptr;
      if (s.at != at) continue;
      stop = s.entry->stop;
      return &s.entry->decoded;
    }
  }

  void Store(const TextPos& at, std::size_t stop, Decoded decoded) {
    if (!FastPathsOn()) return;
    ProgramText text = KeepText(at.text);
    if (!text) return;
    if (count_ >= kLimit) Clear();  // texts run as programs come and go
    if ((count_ + 1) * 2 > slots_.size()) Grow();
    auto entry = std::make_unique<Entry>(Entry{std::move(decoded), stop, std::move(text)});
    for (std::size_t i = SlotOf(at);; i = (i + 1) & mask_) {
      Slot& s = slots_[i];
      if (s.entry && s.at != at) continue;
      if (!s.entry) ++count_;
      s = Slot{at, std::move(entry)};
      return;
    }
  }

  // Forgets every entry, which lets their texts go.
  void Clear() {
    slots_.clear();
    mask_ = 0;
    count_ = 0;
  }

 private:
  static constexpr std::size_t kLimit = 4096;
  struct Entry {
    Decoded decoded;
    std::size_t stop;
    ProgramText text;  // held, so that its address keeps meaning this text
  };
  struct Slot {
    TextPos at;
    std::unique_ptr<Entry> entry;  // entries stay where they are when the table grows
  };

  std::size_t SlotOf(const TextPos& at) const { return static_cast<std::size_t>(PositionHash(at) >> 32) & mask_; }

  void Grow() {
    std::vector<Slot> old = std::move(slots_);
    slots_ = std::vector<Slot>(old.empty() ? 64 : old.size() * 2);
    mask_ = slots_.size() - 1;
    for (Slot& s : old) {
      if (!s.entry) continue;
      std::size_t i = SlotOf(s.at);
      while (slots_[i].entry) i = (i + 1) & mask_;
      slots_[i] = std::move(s);
    }
  }

  std::vector<Slot> slots_;
  std::size_t mask_ = 0;
  std::size_t count_ = 0;
};

}  // namespace pirune
