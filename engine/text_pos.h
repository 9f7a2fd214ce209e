// A position in a program text: the text, an offset into it and where the part being
// walked ends. A block is such a view into the text it is written in, so positions into
// it stay valid for as long as that text lives. Program texts never change once
// prepared; how long they live is program_text.h's business.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

namespace pirune {

struct TextPos {
  static constexpr std::size_t kWhole = static_cast<std::size_t>(-1);

  TextPos() = default;
  // The walked part ends at `end_at`, or with the text.
  TextPos(const std::string* text_of, std::size_t at, std::size_t end_at = kWhole)
      : text(text_of), offset(at), end(text_of && end_at > text_of->size() ? text_of->size() : text_of ? end_at : 0) {}

  const std::string* text = nullptr;  // none when null
  std::size_t offset = 0;
  std::size_t end = 0;  // where the walked part ends (a block's end, or the text's): the readers stop there

  bool None() const { return text == nullptr; }
  // The byte at the position plus k; 0 past the end of the walked part, as a text ends in
  // a zero byte. (A cursor that is none reads as the end of a text: code run while a
  // statement was being read may have ended the program.)
  unsigned char At(std::size_t k = 0) const {
    std::size_t i = offset + k;
    return i < end ? static_cast<unsigned char>((*text)[i]) : 0;
  }
  bool AtEnd() const { return offset >= end; }
  // Whether both walk the same part of the same text.
  bool SameWalk(const TextPos& other) const { return text == other.text && end == other.end; }
  friend bool operator==(const TextPos&, const TextPos&) = default;
};

// A hash of a position, for tables keyed by where something was read; the high bits
// are the well-mixed ones. (The end is left out: the same text and offset walked to
// another end is rare, and the tables compare whole positions.)
inline std::uint64_t PositionHash(const TextPos& at) {
  return reinterpret_cast<std::uintptr_t>(at.text) * 0x9E3779B97F4A7C15ull ^
         static_cast<std::uint64_t>(at.offset) * 0xC2B2AE3D27D4EB4Full;
}

}  // namespace pirune
