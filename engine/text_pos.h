// A position in a program text: the text and an offset into it. Program texts never
// change once prepared, and whoever holds a text (the loaded texts, a run-control
// record) keeps it alive for as long as positions into it are in use.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

namespace pirune {

struct TextPos {
  const std::string* text = nullptr;  // none when null
  std::size_t offset = 0;

  bool None() const { return text == nullptr; }
  // The byte at the position plus k; 0 past the end, as program texts end in a zero byte.
  // (A cursor that is none reads as the end of a text: code run while a statement was
  // being read may have ended the program.)
  unsigned char At(std::size_t k = 0) const {
    std::size_t i = offset + k;
    return text && i < text->size() ? static_cast<unsigned char>((*text)[i]) : 0;
  }
  bool AtEnd() const { return !text || offset >= text->size(); }
  friend bool operator==(const TextPos&, const TextPos&) = default;
};

// A hash of a position, for tables keyed by where something was read; the high bits
// are the well-mixed ones.
inline std::uint64_t PositionHash(const TextPos& at) {
  return reinterpret_cast<std::uintptr_t>(at.text) * 0x9E3779B97F4A7C15ull ^
         static_cast<std::uint64_t>(at.offset) * 0xC2B2AE3D27D4EB4Full;
}

}  // namespace pirune
