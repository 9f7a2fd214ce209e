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

  const std::string* text = nullptr;  // none when null
  std::size_t offset = 0;
  std::size_t end = kWhole;  // the walked part ends here (a block), or with the text

  bool None() const { return text == nullptr; }
  // Where the walked part ends: the readers take it for the end of the text.
  std::size_t Limit() const { return end < text->size() ? end : text->size(); }
  // The byte at the position plus k; 0 past the end of the walked part, as a text ends in
  // a zero byte. (A cursor that is none reads as the end of a text: code run while a
  // statement was being read may have ended the program.)
  unsigned char At(std::size_t k = 0) const {
    std::size_t i = offset + k;
    return text && i < end && i < text->size() ? static_cast<unsigned char>((*text)[i]) : 0;
  }
  bool AtEnd() const { return !text || offset >= Limit(); }
  // Whether both walk the same part of the same text.
  bool SameWalk(const TextPos& other) const { return text == other.text && end == other.end; }
  friend bool operator==(const TextPos&, const TextPos&) = default;
};

// A hash of a position, for tables keyed by where something was read; the high bits
// are the well-mixed ones.
inline std::uint64_t PositionHash(const TextPos& at) {
  return reinterpret_cast<std::uintptr_t>(at.text) * 0x9E3779B97F4A7C15ull ^
         static_cast<std::uint64_t>(at.offset) * 0xC2B2AE3D27D4EB4Full ^
         static_cast<std::uint64_t>(at.end) * 0x165667B19E3779F9ull;
}

}  // namespace pirune
