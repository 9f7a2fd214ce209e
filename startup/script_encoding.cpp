#include "startup/script_encoding.h"

#include <cstddef>

#include "platform/cp932.h"

namespace pirune {
namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

bool HasByteOrderMark(std::string_view bytes) { return bytes.substr(0, kByteOrderMark.size()) == kByteOrderMark; }

bool IsContinuation(unsigned char b) { return (b & 0xC0) == 0x80; }

// Only well-formed UTF-8 counts: a Shift_JIS file must not slip through on a lenient
// reading of overlong forms or encoded surrogates.
bool IsUtf8WithMultiByte(std::string_view s) {
  bool multi_byte = false;
  std::size_t i = 0;
  while (i < s.size()) {
    const auto b = static_cast<unsigned char>(s[i]);
    if (b < 0x80) {
      ++i;
      continue;
    }
    std::size_t length;
    unsigned char low = 0x80, high = 0xBF;  // allowed range of the second byte
    if (b >= 0xC2 && b <= 0xDF) {
      length = 2;
    } else if (b >= 0xE0 && b <= 0xEF) {
      length = 3;
      if (b == 0xE0) low = 0xA0;
      if (b == 0xED) high = 0x9F;
    } else if (b >= 0xF0 && b <= 0xF4) {
      length = 4;
      if (b == 0xF0) low = 0x90;
      if (b == 0xF4) high = 0x8F;
    } else {
      return false;
    }
    if (s.size() - i < length) return false;
    const auto second = static_cast<unsigned char>(s[i + 1]);
    if (second < low || second > high) return false;
    for (std::size_t k = 2; k < length; ++k)
      if (!IsContinuation(static_cast<unsigned char>(s[i + k]))) return false;
    multi_byte = true;
    i += length;
  }
  return multi_byte;
}

int LineAt(std::string_view text, std::size_t offset) {
  int line = 1;
  for (std::size_t i = 0; i < offset && i < text.size(); ++i) {
    if (text[i] == '\n') {
      ++line;
    } else if (text[i] == '\r') {
      ++line;
      if (i + 1 < text.size() && text[i + 1] == '\n') ++i;
    }
  }
  return line;
}

}  // namespace

bool LooksLikeUtf8(std::string_view bytes) { return HasByteOrderMark(bytes) || IsUtf8WithMultiByte(bytes); }

ScriptDecoding DecodeScriptText(std::string_view bytes) {
  if (!LooksLikeUtf8(bytes)) return {true, std::string(bytes), 0};
  const std::string_view body = HasByteOrderMark(bytes) ? bytes.substr(kByteOrderMark.size()) : bytes;
  std::size_t bad = 0;
  if (auto sjis = cp932::FromUtf8(body, &bad)) return {true, std::move(*sjis), 0};
  return {false, std::string(), LineAt(body, bad)};
}

}  // namespace pirune
