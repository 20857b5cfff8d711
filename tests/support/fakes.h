// Stand-ins for the message boxes and the random source, so handlers run
// in-process without blocking and with chosen random numbers.
#pragma once

#include <gtest/gtest.h>

#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "app/program.h"
#include "cycle_editor/frm_rotamund.h"
#include "mod_chooser/frm_mods.h"
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

// Returns the queued numbers in turn, then 0.
class ScriptedRandom : public platform::RandomSource {
 public:
  void SeedFromClock() override { ++seedings; }
  double NextUniform() override {
    if (!queued.empty()) {
      double next = queued.front();
      queued.pop_front();
      return next;
    }
    return 0.0;
  }
  std::deque<double> queued;
  int seedings = 0;
};

// A window built from a layout table, with no handlers.
struct BareForm : platform::Form {
  using Form::Form;
  void OnControlEvent(int, platform::ControlEvent) override {}
  void OnCloseBox() override {}
};

// The program in-process, with both stand-ins; its windows are loaded on first use.
class ProgramTest : public ::testing::Test {
 protected:
  mod_chooser::FrmMods& chooser() { return *program_.frmMODS(); }
  cycle_editor::FrmRotamund& editor() { return *program_.frmRotamund(); }

  RecordingMessageBoxes messages_;
  ScriptedRandom random_;
  app::Program program_{{messages_, random_}};
};

}  // namespace testing_support
