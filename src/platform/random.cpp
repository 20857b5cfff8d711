#include "platform/random.h"

#include <windows.h>

namespace platform {

void ClockSeededRandom::SeedFromClock() {
  LARGE_INTEGER counter{};
  QueryPerformanceCounter(&counter);
  std::seed_seq seed{static_cast<std::uint32_t>(counter.QuadPart),
                     static_cast<std::uint32_t>(counter.QuadPart >> 32),
                     static_cast<std::uint32_t>(GetTickCount())};
  engine_.seed(seed);
}

double ClockSeededRandom::NextUniform() {
  // The top 53 bits scaled into [0, 1): never 1, every value equally likely.
  return static_cast<double>(engine_() >> 11) * 0x1.0p-53;
}

}  // namespace platform
