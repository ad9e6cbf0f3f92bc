#pragma once

#include <cstdint>

namespace drav {

// The program's one source of random numbers: a linear congruential generator that starts
// at state 1 and is never reseeded, so the first schedule after start-up is always the same
// and a repeated command continues the sequence. The application owns one and passes it in.
class RandomSource {
 public:
  RandomSource() = default;
  explicit RandomSource(std::uint32_t state) : state_(state) {}

  // Advances the state (state * 22695477 + 1, modulo 2^32) and returns its bits 16 to 30,
  // a value in 0..32767.
  int Next() {
    state_ = state_ * 22695477u + 1u;
    return static_cast<int>((state_ >> 16) & 0x7FFFu);
  }

  // A value in 0..bound-1 (bound >= 1): one draw taken modulo bound.
  int Below(int bound) { return bound <= 1 ? (Next(), 0) : Next() % bound; }

  std::uint32_t State() const { return state_; }

 private:
  std::uint32_t state_ = 1;
};

}  // namespace drav
