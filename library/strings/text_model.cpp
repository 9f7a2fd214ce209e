#include "library/strings/text_model.h"

#include <limits>

namespace pirune::text {

std::size_t CharCount(std::string_view s) {
  s = Characters(s);
  std::size_t count = 0;
  for (std::size_t i = 0; i < s.size(); i += CharLength(s, i)) ++count;
  return count;
}

std::size_t CharOffset(std::string_view s, std::size_t n) {
  std::size_t i = 0;
  for (; n > 0 && i < s.size(); --n) i += CharLength(s, i);
  return i < s.size() ? i : s.size();
}

// The byte search finds candidates quickly; the walk, which only ever moves forward,
// tells which of them start a character.
std::size_t FindFromCharStart(std::string_view text, std::string_view needle, std::size_t walk) {
  if (needle.empty()) return npos;
  for (;;) {
    std::size_t found = text.find(needle, walk);
    if (found == npos) return npos;
    // A character starts right after any byte that is not in the lead range (it ends a
    // character, alone or as a trail), and at `walk`; from the last such place before
    // the match, lead-range bytes pair up. Looking back only as far as `walk` keeps the
    // whole search one pass over the text, without stepping through every character.
    std::size_t start = found;
    while (start > walk && IsLeadByte(static_cast<unsigned char>(text[start - 1]))) --start;
    if ((found - start) % 2 == 0) return found;
    walk = found + 1;
  }
}

std::size_t FindAligned(std::string_view text, std::string_view needle, std::size_t from) {
  if (needle.empty() || from >= text.size()) return npos;
  std::size_t start = 0;
  while (start < from) start += CharLength(text, start);
  return FindFromCharStart(text, needle, start);
}

std::string ReplaceAll(std::string_view text, std::string_view what, std::string_view with) {
  if (what.empty()) return std::string(text);
  std::string out;
  out.reserve(text.size());
  std::size_t done = 0, walk = 0;
  for (std::size_t at; (at = FindFromCharStart(text, what, walk)) != npos;
       done = at + what.size(), walk = AfterMatch(text, at, what.size())) {
    CheckLength(out.size() + (at - done) + with.size());
    out.append(text.substr(done, at - done));
    out.append(with);
  }
  out.append(text.substr(done));
  return out;
}

std::string ReplaceNth(std::string_view text, std::int64_t n, std::string_view what, std::string_view with) {
  if (what.empty() || n < 1) return std::string(text);
  std::size_t at = 0;
  for (std::int64_t k = 1;; ++k, at = AfterMatch(text, at, what.size())) {
    at = FindFromCharStart(text, what, at);
    if (at == npos) return std::string(text);
    if (k == n) break;
  }
  std::string out(text.substr(0, at));
  out.append(with);
  out.append(text.substr(at + what.size()));
  return out;
}

std::int64_t CountOccurrences(std::string_view text, std::string_view what) {
  if (what.empty()) return 0;
  std::int64_t count = 0;
  for (std::size_t at = 0; (at = FindFromCharStart(text, what, at)) != npos; at = AfterMatch(text, at, what.size()))
    ++count;
  return count;
}

std::int32_t PlainInteger(std::string_view s, std::int32_t fallback) {
  std::size_t i = 0;
  while (i < s.size() && s[i] == ' ') ++i;
  bool negative = false;
  if (i < s.size() && (s[i] == '+' || s[i] == '-')) negative = s[i++] == '-';
  unsigned base = 10;
  if (i < s.size() && (s[i] == '$' || s[i] == 'x' || s[i] == 'X')) {
    base = 16;
    ++i;
  } else if (i + 1 < s.size() && s[i] == '0' && (s[i + 1] == 'x' || s[i + 1] == 'X')) {
    base = 16;
    i += 2;
  }
  if (i == s.size()) return fallback;
  std::int64_t value = 0;
  for (; i < s.size(); ++i) {
    const char c = s[i];
    int digit;
    if (c >= '0' && c <= '9') digit = c - '0';
    else if (base == 16 && c >= 'a' && c <= 'f') digit = c - 'a' + 10;
    else if (base == 16 && c >= 'A' && c <= 'F') digit = c - 'A' + 10;
    else return fallback;
    value = value * base + digit;
    if (value > std::int64_t{std::numeric_limits<std::int32_t>::max()} + 1) return fallback;
  }
  if (negative) value = -value;
  if (value > std::numeric_limits<std::int32_t>::max()) return fallback;
  return static_cast<std::int32_t>(value);
}

std::int64_t LineCount(std::string_view s) {
  std::int64_t lines = 0;
  std::size_t i = 0;
  while (i < s.size()) {
    ++lines;
    while (i < s.size() && s[i] != '\r' && s[i] != '\n') ++i;
    if (i < s.size() && s[i] == '\r') {
      ++i;
      if (i < s.size() && s[i] == '\n') ++i;
    } else if (i < s.size()) {
      ++i;
    }
  }
  return lines;
}

std::string Paragraph(std::string_view s, std::int64_t n) {
  s = Characters(s);
  if (n < 1) return {};
  std::int64_t number = 0;
  std::size_t start = 0, i = 0;
  while (i < s.size()) {
    if (s[i] != '\r') {
      i += CharLength(s, i);
      continue;
    }
    std::size_t next = i + 1;
    if (next < s.size() && s[next] == '\n') ++next;
    i = next;
    if (next >= s.size() || s[next] != '\r') continue;
    while (i < s.size() && (s[i] == '\r' || s[i] == '\n')) ++i;
    if (++number == n) return std::string(s.substr(start, i - start));
    start = i;
  }
  if (start < s.size() && ++number == n) return std::string(s.substr(start));
  return {};
}

namespace {

bool IsBlankChar(std::string_view s, std::size_t i, std::size_t length) {
  if (length == 2) return s[i] == '\x81' && s[i + 1] == '\x40';
  return s[i] == ' ' || s[i] == '\t' || s[i] == '\r' || s[i] == '\n';
}

}  // namespace

std::string TrimBlanks(std::string_view s) {
  s = Characters(s);
  while (!s.empty() && static_cast<unsigned char>(s.front()) <= 0x20) s.remove_prefix(1);
  while (!s.empty() && static_cast<unsigned char>(s.back()) <= 0x20) s.remove_suffix(1);
  std::size_t begin = 0;
  while (begin < s.size() && IsBlankChar(s, begin, CharLength(s, begin))) begin += CharLength(s, begin);
  std::size_t end = begin;
  for (std::size_t i = begin; i < s.size();) {
    std::size_t length = CharLength(s, i);
    if (!IsBlankChar(s, i, length)) end = i + length;
    i += length;
  }
  return std::string(s.substr(begin, end - begin));
}

std::string WithoutOkurigana(std::string_view s) {
  std::string_view chars = Characters(s);
  std::string out;
  bool after_kanji = false;
  auto hiragana_at = [&](std::size_t i) {
    return CharLength(chars, i) == 2 && InRange(chars.substr(i), kHiraganaFirst, kHiraganaLast);
  };
  for (std::size_t i = 0; i < chars.size();) {
    std::size_t length = CharLength(chars, i);
    if (length == 2 && hiragana_at(i) && after_kanji) {
      while (i < chars.size() && hiragana_at(i)) i += 2;
      after_kanji = false;
      continue;
    }
    if (length == 2 && !hiragana_at(i)) after_kanji = true;
    out.append(chars.substr(i, length));
    i += length;
  }
  return out.empty() ? std::string(s) : out;
}

}  // namespace pirune::text
