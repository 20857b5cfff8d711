// Each window's first focus, with the window's activation arriving after it was shown, as
// window managers deliver it (Wine's virtual desktop activates at once, so it is sent here).
#include <gtest/gtest.h>
#include <windows.h>

#include <tuple>

#include "app/launcher.h"
#include "cycle_editor/frm_rotamund.h"
#include "fakes.h"
#include "mod_chooser/frm_mods.h"
#include "support/demo_game.h"
#include "support/registry.h"

namespace {

TEST(FirstFocus, StaysOnTheFirstControlInTabOrderWhenActivationComesLate) {
  ASSERT_TRUE(tools::RegisterInstallPath("C:\\windows"));  // any folder, for the chooser
  const std::tuple<const char*, app::FormId, int> windows[] = {
      {"bob", app::FormId::kLauncher, app::Launcher::kBob},
      {"lstModList", app::FormId::kMods, mod_chooser::FrmMods::kLstModList},
      {"lstBSP", app::FormId::kRotamund, cycle_editor::FrmRotamund::kLstBSP}};
  const std::pair<const char*, void (*)(HWND)> deliveries[] = {
      {"activation", [](HWND frame) { SendMessageA(frame, WM_ACTIVATE, WA_ACTIVE, 0); }},
      {"deactivation and activation",
       [](HWND frame) {
         SendMessageA(frame, WM_ACTIVATE, WA_INACTIVE, 0);
         SendMessageA(frame, WM_ACTIVATE, WA_CLICKACTIVE, 0);
       }},
      {"focus on the frame", [](HWND frame) { SetFocus(frame); }}};
  for (const auto& [first, id, firstId] : windows) {
    for (const auto& [late, deliver] : deliveries) {
      SCOPED_TRACE(std::string(first) + " after late " + late);
      testing_support::RecordingMessageBoxes messages;
      testing_support::ScriptedRandom random;
      app::Program program({messages, random});
      program.Show(id);
      deliver(program.form(id).window());
      EXPECT_EQ(GetFocus(), program.form(id).control(firstId));
    }
  }
}

}  // namespace
