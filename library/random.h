// The random numbers scripts draw: one generator of our own (xoshiro128++ seeded through
// splitmix64), so a seed gives the same numbers on every system and in every version.
#pragma once
#include <cstdint>

namespace pirune {

class TRandom {
 public:
  explicit TRandom(std::uint64_t seed) { Seed(seed); }
  void Seed(std::uint64_t seed);
  std::uint32_t Next();
  // Uniform over 0 … n − 1 (n > 0), without the bias of taking a remainder.
  std::uint32_t Below(std::uint32_t n);
  // Uniform over [0, 1), with 53 random bits.
  double Unit();

 private:
  std::uint32_t s_[4];
};

// The run's generator, which every command that draws shares. It starts seeded from the
// system's entropy.
TRandom& RunRandom();
std::uint64_t EntropySeed();

}  // namespace pirune
