// What the reader decoded at a text position, kept for the next time the same text is
// read there. Program texts never change once prepared, but a block's copy may be freed
// and another text made at the same address, so an entry counts only while the bytes it
// was decoded from are still the bytes at that position. Those are compared again only
// when a program text has been freed since they last were (or the text is no program
// text).
//
// Every statement looks itself up here, so the table is a plain open-addressed one whose
// size is a power of two. An entry found lasts until the next Store; whoever runs code
// that may decode more takes what it needs first.
#pragma once
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "engine/program_text.h"
#include "engine/text_pos.h"

namespace pirune {

template <class Decoded>
class DecodeCache {
 public:
  // The entry for `at`, or null. `end` tells where the decoded text ended.
  const Decoded* Find(const TextPos& at, std::size_t& end) const {
    if (slots_.empty() || !at.text) return nullptr;
    for (std::size_t i = SlotOf(at);; i = (i + 1) & mask_) {
      const Slot& s = slots_[i];
      if (!s.entry) return nullptr;
      if (s.text != at.text || s.offset != at.offset) continue;
      const Entry& e = *s.entry;
      if (!e.program_text || e.verified != ProgramTextsFreed()) {
        const std::string& text = *at.text;
        if (at.offset > text.size() || text.size() - at.offset < e.source.size() ||
            std::memcmp(text.data() + at.offset, e.source.data(), e.source.size()) != 0)
          return nullptr;
        if (e.program_text) e.program_text = IsProgramText(at.text);
        e.verified = ProgramTextsFreed();
      }
      end = at.offset + e.source.size();
      return &e.decoded;
    }
  }

  void Store(const TextPos& at, std::size_t end, Decoded decoded) {
    if (count_ >= kLimit) Clear();  // texts of finished blocks pile up
    if ((count_ + 1) * 2 > slots_.size()) Grow();
    auto entry = std::make_unique<Entry>(Entry{at.text->substr(at.offset, end - at.offset), std::move(decoded),
                                               IsProgramText(at.text), ProgramTextsFreed()});
    for (std::size_t i = SlotOf(at);; i = (i + 1) & mask_) {
      Slot& s = slots_[i];
      if (s.entry && (s.text != at.text || s.offset != at.offset)) continue;
      if (!s.entry) ++count_;
      s = Slot{at.text, at.offset, std::move(entry)};
      return;
    }
  }

 private:
  static constexpr std::size_t kLimit = 4096;
  struct Entry {
    std::string source;
    Decoded decoded;
    mutable bool program_text;       // the text was a program text when last compared
    mutable std::uint64_t verified;  // ProgramTextsFreed() then
  };
  struct Slot {
    const std::string* text = nullptr;
    std::size_t offset = 0;
    std::unique_ptr<Entry> entry;  // entries stay where they are when the table grows
  };

  std::size_t SlotOf(const TextPos& at) const { return static_cast<std::size_t>(PositionHash(at) >> 32) & mask_; }

  void Grow() {
    std::vector<Slot> old = std::move(slots_);
    slots_ = std::vector<Slot>(old.empty() ? 64 : old.size() * 2);
    mask_ = slots_.size() - 1;
    for (Slot& s : old) {
      if (!s.entry) continue;
      std::size_t i = SlotOf(TextPos{s.text, s.offset});
      while (slots_[i].entry) i = (i + 1) & mask_;
      slots_[i] = std::move(s);
    }
  }

  void Clear() {
    slots_.clear();
    mask_ = 0;
    count_ = 0;
  }

  std::vector<Slot> slots_;
  std::size_t mask_ = 0;
  std::size_t count_ = 0;
};

}  // namespace pirune
