// Opening the map-cycle editor from the mod chooser, in-process (the demo's mods: e2e tests).
#include <gtest/gtest.h>
#include <windows.h>

#include "cycle_editor/frm_rotamund.h"
#include "fakes.h"
#include "mod_chooser/frm_mods.h"
#include "platform/status.h"
#include "support/demo_game.h"
#include "support/file_tree.h"
#include "temp_folder.h"

namespace {

using Names = std::vector<std::string>;

class OpenEditorTest : public testing_support::ProgramTest {
 protected:
  mod_chooser::FrmMods& chooser() { return program_.frmMODS(); }
  cycle_editor::FrmRotamund& editor() { return program_.frmRotamund(); }
  // Shows the chooser offering "first" and "mod", "mod" chosen, with these map files and rotation.
  void Offer(const Names& files, const std::string& cycle) {
    ASSERT_TRUE(tools::RegisterInstallPath(halfLife_.path()));
    for (const std::string& file : files)
      ASSERT_TRUE(tools::WriteTextFile(halfLife_ / "mod\\maps\\" + file, "map"));
    ASSERT_TRUE(tools::WriteTextFile(halfLife_ / "mod\\mapcycle.txt", cycle));
    program_.Show(app::FormId::kMods);
    chooser().lstModList().Refill({"first", "mod"});
    chooser().lstModList().SetCurrent(1);
  }

  testing_support::TempFolder halfLife_;
};

// Lines: twice, by case, trailing blank, blank, no map; a file in capitals; over 32,767 lines.
TEST_F(OpenEditorTest, RotationLinesTakeTheirMapsOutOfTheMapListWhileTheChooserWaits) {
  Names rotation = {"cs_italy", "DE_NUKE", "de_aztec ", "", "cs_office", "cs_italy"};
  std::string cycle = "cs_italy\r\nDE_NUKE\r\nde_aztec \r\n\r\ncs_office\r\ncs_italy\r\n";
  for (int i = 0; i < 40000; ++i) cycle += rotation.emplace_back(std::to_string(i)) + "\r\n";
  Offer({"cs_italy.bsp", "DE_DUST.BSP", "de_aztec.bsp", "de_nuke.bsp"}, cycle);
  chooser().lstModList_DblClick();  // as Edit does
  EXPECT_EQ(editor().lstBSP().Texts(), (Names{"de_aztec", "DE_DUST"}));
  EXPECT_EQ(editor().lstMap().Texts(), rotation);
  EXPECT_EQ(editor().Text(editor().kLabel1), "All Half Life Maps (2 maps)");
  EXPECT_EQ(editor().Text(editor().kLabel2), "Map Cycle File (40006 maps)");
  EXPECT_TRUE(editor().IsVisible() && !chooser().IsVisible());
  EXPECT_EQ(chooser().lstModList().Texts(), (Names{"first", "mod"}));
  EXPECT_EQ(chooser().lstModList().Current(), 1);
  SendMessageA(editor().window(), WM_CLOSE, 0, 0);  // the close box leads back
  EXPECT_TRUE(chooser().IsVisible());
}

TEST_F(OpenEditorTest, WhatCannotBeOpenedIsReportedAndLeavesOnlyTheChooser) {
  auto edit = [&] {
    messages_.shown.clear();
    chooser().cmdEdit_Click();
    return messages_.shown.empty() ? std::string() : messages_.shown[0].text;
  };
  Offer({"readme.txt", "de_dust.bsp.old"}, "de_dust\r\n");
  EXPECT_EQ(edit(), "No files present in: " + halfLife_ / "mod\\maps\\*.bsp");
  EXPECT_EQ(messages_.shown.at(0).title, "Cannot Continue");

  const std::string cycle = halfLife_ / "mod\\mapcycle.txt";
  ASSERT_TRUE(tools::WriteTextFile(halfLife_ / "mod\\maps\\de_dust.bsp", "map"));
  platform::UniqueHandle lock = testing_support::HoldOpen(cycle, GENERIC_WRITE);
  for (DWORD reason : {ERROR_SHARING_VIOLATION, ERROR_FILE_NOT_FOUND}) {
    const std::string text = edit();
    EXPECT_NE(text.find(cycle), std::string::npos) << text;
    EXPECT_NE(text.find(platform::SystemErrorText(reason)), std::string::npos) << text;
    lock.reset();
    DeleteFileA(cycle.c_str());
  }
  chooser().lstModList().Refill({"mod"});
  EXPECT_EQ(edit(), "") << "nothing chosen";
  EXPECT_TRUE(chooser().IsVisible());
  SendMessageA(chooser().window(), WM_CLOSE, 0, 0);
  EXPECT_TRUE(program_.ended()) << "no hidden editor keeps the program alive";
}

}  // namespace
