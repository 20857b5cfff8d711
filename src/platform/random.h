// Uniform random numbers in [0, 1), replaceable so that tests can choose them.
#pragma once

#include <cstdint>
#include <random>

namespace platform {

class RandomSource {
 public:
  virtual ~RandomSource() = default;
  virtual void SeedFromClock() = 0;
  virtual double NextUniform() = 0;  // 0 <= r < 1
};

// Seeded from the high-resolution performance counter, so two seedings in the
// same second still give different sequences.
class ClockSeededRandom : public RandomSource {
 public:
  void SeedFromClock() override;
  double NextUniform() override;

 private:
  std::mt19937_64 engine_;
};

}  // namespace platform
