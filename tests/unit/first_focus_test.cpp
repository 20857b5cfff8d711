// Each window's first focus, with the window's activation arriving after it was shown, as
// window managers deliver it (Wine's virtual desktop activates at once, so it is sent here).
#include <gtest/gtest.h>
#include <windows.h>

#include "app/launcher.h"
#include "cycle_editor/frm_rotamund.h"
#include "fakes.h"
#include "mod_chooser/frm_mods.h"
#include "support/demo_game.h"

namespace {

TEST(FirstFocus, StaysOnTheFirstControlInTabOrderWhenActivationComesLate) {
  ASSERT_TRUE(tools::RegisterInstallPath("C:\\windows"));  // any folder, for the chooser
  struct Window {
    const char* first;
    app::FormId id;
    int firstId;
  };
  const Window windows[] = {{"bob", app::FormId::kLauncher, app::Launcher::kBob},
                            {"lstModList", app::FormId::kMods, mod_chooser::FrmMods::kLstModList},
                            {"lstBSP", app::FormId::kRotamund, cycle_editor::FrmRotamund::kLstBSP}};
  struct Late {
    const char* name;
    void (*deliver)(HWND frame);
  };
  const Late deliveries[] = {
      {"activation", [](HWND frame) { SendMessageA(frame, WM_ACTIVATE, WA_ACTIVE, 0); }},
      {"deactivation and activation",
       [](HWND frame) {
         SendMessageA(frame, WM_ACTIVATE, WA_INACTIVE, 0);
         SendMessageA(frame, WM_ACTIVATE, WA_CLICKACTIVE, 0);
       }},
      {"focus on the frame", [](HWND frame) { SetFocus(frame); }},
  };
  for (const Window& window : windows) {
    for (const Late& late : deliveries) {
      SCOPED_TRACE(std::string(window.first) + " after late " + late.name);
      testing_support::RecordingMessageBoxes messages;
      testing_support::ScriptedRandom random;
      app::Program program({messages, random});
      program.Show(window.id);
      platform::Form& form = program.form(window.id);
      late.deliver(form.window());
      EXPECT_EQ(GetFocus(), form.control(window.firstId));
    }
  }
}

}  // namespace
