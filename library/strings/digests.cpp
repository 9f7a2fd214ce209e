#include "library/strings/digests.h"

#include <zlib.h>

#include <array>
#include <cmath>

namespace pirune {
namespace {

std::uint32_t RotateLeft(std::uint32_t x, int n) { return (x << n) | (x >> (32 - n)); }

class Md5 {
 public:
  Md5() : state_{0x67452301, 0xEFCDAB89, 0x98BADCFE, 0x10325476} {}

  std::string Hex(std::string_view bytes) {
    std::uint64_t bits = static_cast<std::uint64_t>(bytes.size()) * 8;
    std::size_t whole = bytes.size() / 64 * 64;
    for (std::size_t i = 0; i < whole; i += 64) Block(reinterpret_cast<const unsigned char*>(bytes.data() + i));
    // The tail, a 1 bit, zeros, and the length in bits: one or two more blocks.
    std::string tail(bytes.substr(whole));
    tail += '\x80';
    while (tail.size() % 64 != 56) tail += '\0';
    for (int k = 0; k < 8; ++k) tail += static_cast<char>(bits >> (8 * k));
    for (std::size_t i = 0; i < tail.size(); i += 64) Block(reinterpret_cast<const unsigned char*>(tail.data() + i));
    static const char digits[] = "0123456789abcdef";
    std::string out;
    for (std::uint32_t word : state_)
      for (int k = 0; k < 4; ++k) {
        unsigned byte = (word >> (8 * k)) & 0xFF;
        out += digits[byte >> 4];
        out += digits[byte & 15];
      }
    return out;
  }

 private:
  void Block(const unsigned char* p) {
    static const int shifts[64] = {7, 12, 17, 22, 7, 12, 17, 22, 7, 12, 17, 22, 7, 12, 17, 22,
                                   5, 9,  14, 20, 5, 9,  14, 20, 5, 9,  14, 20, 5, 9,  14, 20,
                                   4, 11, 16, 23, 4, 11, 16, 23, 4, 11, 16, 23, 4, 11, 16, 23,
                                   6, 10, 15, 21, 6, 10, 15, 21, 6, 10, 15, 21, 6, 10, 15, 21};
    static const std::array<std::uint32_t, 64> sines = [] {
      std::array<std::uint32_t, 64> t{};
      for (int i = 0; i < 64; ++i) t[i] = static_cast<std::uint32_t>(std::fabs(std::sin(i + 1.0)) * 4294967296.0);
      return t;
    }();
    std::uint32_t m[16];
    for (int i = 0; i < 16; ++i)
      m[i] = p[4 * i] | p[4 * i + 1] << 8 | p[4 * i + 2] << 16 | static_cast<std::uint32_t>(p[4 * i + 3]) << 24;
    std::uint32_t a = state_[0], b = state_[1], c = state_[2], d = state_[3];
    for (int i = 0; i < 64; ++i) {
      std::uint32_t f;
      int g;
      if (i < 16) f = (b & c) | (~b & d), g = i;
      else if (i < 32) f = (d & b) | (~d & c), g = (5 * i + 1) % 16;
      else if (i < 48) f = b ^ c ^ d, g = (3 * i + 5) % 16;
      else f = c ^ (b | ~d), g = (7 * i) % 16;
      std::uint32_t next = b + RotateLeft(a + f + sines[i] + m[g], shifts[i]);
      a = d;
      d = c;
      c = b;
      b = next;
    }
    state_[0] += a;
    state_[1] += b;
    state_[2] += c;
    state_[3] += d;
  }

  std::uint32_t state_[4];
};

}  // namespace

std::string Md5Hex(std::string_view bytes) { return Md5().Hex(bytes); }

std::uint16_t Crc16(std::string_view bytes) {
  std::uint16_t crc = 0;
  for (unsigned char b : bytes) {
    crc ^= b;
    for (int k = 0; k < 8; ++k) crc = (crc & 1) ? (crc >> 1) ^ 0xA001 : crc >> 1;
  }
  return crc;
}

std::uint32_t Crc32(std::string_view bytes) {
  uLong crc = crc32(0L, Z_NULL, 0);
  // zlib takes lengths as unsigned int: long texts go in pieces.
  while (!bytes.empty()) {
    uInt piece = bytes.size() > 0x40000000u ? 0x40000000u : static_cast<uInt>(bytes.size());
    crc = crc32(crc, reinterpret_cast<const Bytef*>(bytes.data()), piece);
    bytes.remove_prefix(piece);
  }
  return static_cast<std::uint32_t>(crc);
}

}  // namespace pirune
