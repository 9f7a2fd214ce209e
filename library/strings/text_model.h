// The text model the string commands share: Shift_JIS characters walked one at a time,
// searches that only match at character starts, and the plain reading of an integer.
#pragma once
#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>

#include "platform/sjis_walk.h"

namespace pirune::text {

constexpr std::size_t npos = std::string_view::npos;

// The longest text a command makes; past it the command runs out of memory as a 32-bit
// process would, instead of asking the system for more than it may give.
constexpr std::size_t kMaxTextBytes = std::size_t{1} << 30;
inline void CheckLength(std::size_t bytes) {
  if (bytes > kMaxTextBytes) throw std::length_error("文字列が長すぎます。");
}

// The part of s that character operations see: a zero byte ends it.
inline std::string_view Characters(std::string_view s) { return s.substr(0, s.find('\0')); }

// Number of characters (a zero byte ends the text).
std::size_t CharCount(std::string_view s);
// Byte offset where character n (0-based) starts; s.size() when s has fewer.
std::size_t CharOffset(std::string_view s, std::size_t n);

// First occurrence of needle at a character start at or after byte `from` (a start
// inside a character moves on to the next character); npos when none or needle empty.
// The whole text is searched, zero bytes included, so replacing never loses data.
std::size_t FindAligned(std::string_view text, std::string_view needle, std::size_t from = 0);

// The same from `start`, which must be a character start: no walk from the beginning.
std::size_t FindFromCharStart(std::string_view text, std::string_view needle, std::size_t start);

// The first character start at or behind a match of `length` bytes at `at` (a needle
// may end in a lead byte whose trail it does not hold).
inline std::size_t AfterMatch(std::string_view text, std::size_t at, std::size_t length) {
  std::size_t end = at + length;
  while (at < end) at += CharLength(text, at);
  return at;
}

// Every occurrence of `what` replaced by `with`, scanning on behind each replacement.
std::string ReplaceAll(std::string_view text, std::string_view what, std::string_view with);
// Only the n-th occurrence (1-based) replaced; the text unchanged when there is none.
std::string ReplaceNth(std::string_view text, std::int64_t n, std::string_view what, std::string_view with);
// Non-overlapping occurrences.
std::int64_t CountOccurrences(std::string_view text, std::string_view what);

// Leading spaces, a sign, then decimal digits or hexadecimal after $, x or 0x; anything
// else, nothing, or a value past 32 bits gives `fallback`. Full-width digits are not read.
std::int32_t PlainInteger(std::string_view s, std::int32_t fallback);

// Lines end at CR, LF or CR LF; an end at the very end opens no further line.
std::int64_t LineCount(std::string_view s);
// The n-th paragraph (1-based) with the run of line ends that closes it; empty when none.
std::string Paragraph(std::string_view s, std::int64_t n);

// Blanks off both ends: bytes up to 0x20, then runs of full-width space, space, TAB,
// CR and LF, walked by characters.
std::string TrimBlanks(std::string_view s);
// Hiragana that follow a kanji or other two-byte character dropped (書き込む: 書込).
std::string WithoutOkurigana(std::string_view s);

// Whether the text starts with two bytes whose code (lead × 256 + trail) lies in
// [low, high].
inline bool InRange(std::string_view s, unsigned low, unsigned high) {
  if (s.size() < 2) return false;
  unsigned code = static_cast<unsigned char>(s[0]) << 8 | static_cast<unsigned char>(s[1]);
  return code >= low && code <= high;
}
constexpr unsigned kHiraganaFirst = 0x82A0, kHiraganaLast = 0x833E;
constexpr unsigned kKatakanaFirst = 0x8340, kKatakanaLast = 0x839D;

}  // namespace pirune::text
