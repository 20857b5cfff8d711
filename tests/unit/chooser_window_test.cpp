// The mod chooser window in-process at 96 DPI: layout, about box (the rest: chooser_e2e_test.cpp).
#include <gtest/gtest.h>
#include <windows.h>

#include "app/about.h"
#include "fakes.h"
#include "layout_check.h"
#include "mod_chooser/frm_mods.h"
#include "support/demo_game.h"
#include "support/driver.h"

namespace {

using F = mod_chooser::FrmMods;

class ChooserWindow : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(tools::RegisterInstallPath("C:\\windows")); }  // any folder
  F& chooser() { return program_.frmMODS(); }                                        // loads it
  testing_support::RecordingMessageBoxes messages_;
  testing_support::ScriptedRandom random_;
  app::Program program_{{messages_, random_}};
};

TEST_F(ChooserWindow, LayoutIsTheTableInTwipsOver15AndResizingMovesNothing) {
  HWND form = chooser().window();
  testing_support::ExpectClientSize(form, 407, 377);
  for (int width : {0, 900}) {
    if (width) SetWindowPos(form, nullptr, 0, 0, width, 700, SWP_NOMOVE | SWP_NOZORDER);
    testing_support::ExpectTwipsLayout(form, {{F::kCmdEdit, 4320, 3720, 1215, 495},
                                              {F::kCmdClose, 4320, 4560, 1215, 375},
                                              {F::kLstModList, 240, 360, 3255, 5160},
                                              {F::kImage1, 4440, 2400, 960, 960},
                                              {F::kLabel1, 360, 120, 3015, 255}});
  }
}

TEST_F(ChooserWindow, PictureShowsTheSharedAboutTextPlainAndUntitled) {
  chooser().Image1_Click();
  ASSERT_EQ(messages_.shown.size(), 1u);
  EXPECT_EQ(messages_.shown[0].text, app::kAboutText);
  EXPECT_EQ(messages_.shown[0].title, std::nullopt);
  EXPECT_EQ(messages_.shown[0].style, platform::MessageStyle::kPlain);
}

}  // namespace
