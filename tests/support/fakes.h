// Stand-ins for the message boxes and the random source, so handlers run
// in-process without blocking and with chosen random numbers.
#pragma once

#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "platform/message_box.h"
#include "platform/random.h"

namespace testing_support {

struct ShownMessage {
  std::string text;
  std::optional<std::string> title;
  platform::MessageStyle style;
};

class RecordingMessageBoxes : public platform::MessageBoxes {
 public:
  void Show(HWND, const std::string& text, const std::optional<std::string>& title,
            platform::MessageStyle style) override {
    shown.push_back({text, title, style});
  }
  std::vector<ShownMessage> shown;
};

// Returns queued numbers, then falls back to a fixed-seed generator.
class ScriptedRandom : public platform::RandomSource {
 public:
  void SeedFromClock() override { ++seedings; }
  double NextUniform() override {
    if (!queued.empty()) {
      double next = queued.front();
      queued.pop_front();
      return next;
    }
    return static_cast<double>(engine() >> 11) * 0x1.0p-53;
  }
  std::deque<double> queued;
  int seedings = 0;
  std::mt19937_64 engine{12345};
};

}  // namespace testing_support
