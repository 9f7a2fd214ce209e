// Bit operations on 32-bit integers (AND, OR, XOR, NOT, shifts, HEX) and colour numbers
// (RGB, CMYK).
#include <algorithm>
#include <cstdint>
#include <string>

#include "engine/command_api.h"
#include "library/strings/whole_number.h"

namespace pirune {
namespace {

std::uint32_t Bits(TCommand& c, std::size_t slot) { return static_cast<std::uint32_t>(WholeNumber(c, slot)); }
void BitsResult(TCommand& c, std::uint32_t bits) { c.ResultInteger(static_cast<std::int32_t>(bits)); }

void And(TCommand& c) {
  std::uint32_t a = Bits(c, 0);
  BitsResult(c, a & Bits(c, 1));
}
void Or(TCommand& c) {
  std::uint32_t a = Bits(c, 0);
  BitsResult(c, a | Bits(c, 1));
}
void Xor(TCommand& c) {
  std::uint32_t a = Bits(c, 0);
  BitsResult(c, a ^ Bits(c, 1));
}
void Not(TCommand& c) { c.ResultFlag(WholeNumber(c, 0) == 0); }
// Zeros come in from the left: the bits are shifted as an unsigned word.
void ShiftRight(TCommand& c) {
  std::uint32_t a = Bits(c, 0);
  BitsResult(c, a >> (Bits(c, 1) & 31));
}
void ShiftLeft(TCommand& c) {
  std::uint32_t a = Bits(c, 0);
  BitsResult(c, a << (Bits(c, 1) & 31));
}

void Hex(TCommand& c) {
  static const char digits[] = "0123456789ABCDEF";
  std::uint32_t a = Bits(c, 0);
  std::string text;
  do {
    text.insert(text.begin(), digits[a & 15]);
    a >>= 4;
  } while (a);
  if (text.size() < 2) text.insert(text.begin(), '0');
  c.Result(std::move(text), "e");
}

void ColourResult(TCommand& c, std::int64_t r, std::int64_t g, std::int64_t b) {
  c.ResultKeepingMark(std::to_string((r & 255) | (g & 255) << 8 | (b & 255) << 16));
}

void Rgb(TCommand& c) {
  std::int64_t part[3];
  for (std::size_t i = 0; i < 3; ++i) {
    part[i] = WholeNumber(c, i);
    if (part[i] < 0) c.ArgumentError();
  }
  ColourResult(c, part[0], part[1], part[2]);
}

void Cmyk(TCommand& c) {
  std::int64_t part[4];
  for (std::size_t i = 0; i < 4; ++i) {
    part[i] = WholeNumber(c, i);
    if (part[i] < 0 || part[i] > 255) RangeError();
  }
  auto channel = [&](std::int64_t ink) { return std::max<std::int64_t>(0, 255 - (ink + part[3])); };
  ColourResult(c, channel(part[0]), channel(part[1]), channel(part[2]));
}

}  // namespace

std::span<const CommandBinding> BitCommands() {
  static const CommandBinding commands[] = {
      {"AND", And}, {"OR", Or},   {"XOR", Xor},   {"NOT", Not},   {"SHR", ShiftRight},
      {"SHL", ShiftLeft}, {"HEX", Hex}, {"RGB", Rgb}, {"CMYK", Cmyk},
  };
  return commands;
}

}  // namespace pirune
