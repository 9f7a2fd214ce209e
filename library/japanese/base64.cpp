#include "library/japanese/base64.h"

#include <cstdint>

namespace pirune {
namespace {

constexpr char kAlphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";

int Value(char c) {
  if (c >= 'A' && c <= 'Z') return c - 'A';
  if (c >= 'a' && c <= 'z') return c - 'a' + 26;
  if (c >= '0' && c <= '9') return c - '0' + 52;
  if (c == '+') return 62;
  if (c == '/') return 63;
  return -1;
}

}  // namespace

std::string Base64Encode(std::string_view bytes) {
  std::string out;
  out.reserve((bytes.size() + 2) / 3 * 4);
  for (std::size_t i = 0; i < bytes.size(); i += 3) {
    const std::size_t left = bytes.size() - i;
    std::uint32_t group = static_cast<unsigned char>(bytes[i]) << 16;
    if (left > 1) group |= static_cast<unsigned char>(bytes[i + 1]) << 8;
    if (left > 2) group |= static_cast<unsigned char>(bytes[i + 2]);
    out += kAlphabet[group >> 18];
    out += kAlphabet[(group >> 12) & 63];
    out += left > 1 ? kAlphabet[(group >> 6) & 63] : '=';
    out += left > 2 ? kAlphabet[group & 63] : '=';
  }
  return out;
}

std::optional<std::string> Base64Decode(std::string_view text) {
  std::string out;
  out.reserve(text.size() / 4 * 3);
  bool ended = false;  // a group with padding was the last one
  for (std::size_t i = 0; i < text.size();) {
    if (text[i] == '\r' || text[i] == '\n') {
      ++i;
      continue;
    }
    if (ended || text.size() - i < 4) return std::nullopt;
    int v[4];
    int pads = 0;
    for (int k = 0; k < 4; ++k) {
      const char c = text[i + k];
      v[k] = c == '=' && k >= 2 ? 0 : Value(c);
      if (c == '=' && k >= 2) ++pads;
      else if (v[k] < 0 || pads > 0) return std::nullopt;
    }
    i += 4;
    const std::uint32_t group = v[0] << 18 | v[1] << 12 | v[2] << 6 | v[3];
    out += static_cast<char>(group >> 16);
    if (pads < 2) out += static_cast<char>((group >> 8) & 0xFF);
    if (pads < 1) out += static_cast<char>(group & 0xFF);
    ended = pads > 0;
  }
  return out;
}

}  // namespace pirune
