#include "library/random.h"

#include <random>

namespace pirune {
namespace {

std::uint64_t SplitMix64(std::uint64_t& state) {
  std::uint64_t z = (state += 0x9E3779B97F4A7C15ull);
  z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
  z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
  return z ^ (z >> 31);
}

std::uint32_t RotateLeft(std::uint32_t x, int k) { return (x << k) | (x >> (32 - k)); }

}  // namespace

void TRandom::Seed(std::uint64_t seed) {
  // splitmix64 never gives an all-zero state from which xoshiro could not leave.
  std::uint64_t a = SplitMix64(seed), b = SplitMix64(seed);
  s_[0] = static_cast<std::uint32_t>(a);
  s_[1] = static_cast<std::uint32_t>(a >> 32);
  s_[2] = static_cast<std::uint32_t>(b);
  s_[3] = static_cast<std::uint32_t>(b >> 32);
}

std::uint32_t TRandom::Next() {
  std::uint32_t result = RotateLeft(s_[0] + s_[3], 7) + s_[0];
  std::uint32_t t = s_[1] << 9;
  s_[2] ^= s_[0];
  s_[3] ^= s_[1];
  s_[1] ^= s_[2];
  s_[0] ^= s_[3];
  s_[2] ^= t;
  s_[3] = RotateLeft(s_[3], 11);
  return result;
}

std::uint32_t TRandom::Below(std::uint32_t n) {
  // Multiply and keep the high word; the few low words that would favour some results
  // are drawn again (Lemire's method).
  std::uint64_t m = std::uint64_t{Next()} * n;
  std::uint32_t low = static_cast<std::uint32_t>(m);
  if (low < n) {
    std::uint32_t threshold = static_cast<std::uint32_t>(-n) % n;
    while (low < threshold) {
      m = std::uint64_t{Next()} * n;
      low = static_cast<std::uint32_t>(m);
    }
  }
  return static_cast<std::uint32_t>(m >> 32);
}

double TRandom::Unit() {
  std::uint64_t high = Next() >> 5, low = Next() >> 6;  // 27 and 26 bits
  return static_cast<double>((high << 26) | low) * 0x1.0p-53;
}

std::uint64_t EntropySeed() {
  std::random_device device;
  return (std::uint64_t{device()} << 32) | device();
}

TRandom& RunRandom() {
  static TRandom generator(EntropySeed());
  return generator;
}

}  // namespace pirune
