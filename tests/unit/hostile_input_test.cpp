// Input written by other tools, opened in-process from the chooser on the real file system and
// registry: odd cycle files, folder and map names, files that cannot be opened.
#include <gtest/gtest.h>
#include <windows.h>

#include "fakes.h"
#include "platform/status.h"
#include "support/demo_game.h"
#include "support/file_tree.h"
#include "support/registry.h"
#include "temp_folder.h"

namespace {

using Names = std::vector<std::string>;
using R = cycle_editor::FrmRotamund;

// A short install folder, so that names of 200 characters still fit in a path.
constexpr char kHalfLife[] = "C:\\hostile";

class HostileInput : public testing_support::ProgramTest {
 protected:
  void SetUp() override {
    tools::LeaveNoGameToFind();  // the chooser would list a game found elsewhere
    tools::RemoveTree(kHalfLife);
    ASSERT_TRUE(tools::MakeFolders(kHalfLife));
  }
  void TearDown() override { tools::RemoveTree(kHalfLife); }
};

struct CycleCase {
  const char* name;
  std::string cycle;                    // mapcycle.txt as another tool wrote it
  Names left = {};                      // lstBSP after opening, when not empty
  std::string mod = "mod";              // the modification's folder
  Names maps = {"de_dust", "de_nuke"};  // its map files, without ".bsp"
  // Lines the list shows cut are named when opening: a piece of that notice.
  std::string notice = {};
};

class HostileCycle : public HostileInput, public ::testing::WithParamInterface<CycleCase> {};

// Listed, opened, saved: the file comes back byte for byte.
TEST_P(HostileCycle, OpensAndSavesBackWhatItRead) {
  const CycleCase& c = GetParam();
  const std::string mod = std::string(kHalfLife) + "\\" + c.mod, path = mod + "\\mapcycle.txt";
  for (const std::string& map : c.maps) {
    ASSERT_TRUE(tools::WriteTextFile(mod + "\\maps\\" + map + ".bsp", "map"));
  }
  ASSERT_TRUE(tools::WriteTextFile(path, c.cycle));
  ASSERT_TRUE(tools::RegisterInstallPath(kHalfLife));
  program_.Show(app::FormId::kMods);
  ASSERT_EQ(chooser().lstModList().Texts(), Names{c.mod});
  chooser().lstModList().SetCurrent(0);
  chooser().cmdEdit_Click();
  const size_t told = c.notice.empty() ? 0 : 1;
  ASSERT_EQ(messages_.shown.size(), told) << messages_.shown.at(0).text;
  if (told) {
    EXPECT_NE(messages_.shown[0].text.find(c.notice), std::string::npos) << messages_.shown[0].text;
  }
  ASSERT_TRUE(editor().IsVisible() && !chooser().IsVisible());
  EXPECT_EQ(editor().cyclePath(), path) << "kept for the save";
  EXPECT_EQ(editor().Text(R::kLabel2),
            "Map Cycle File (" + std::to_string(editor().lstMap().Count()) + " maps)");
  if (!c.left.empty()) {
    EXPECT_EQ(editor().lstBSP().Texts(), c.left);
  }

  editor().cmdSave_Click();
  const std::string bytes = testing_support::FileBytes(path);
  EXPECT_TRUE(bytes == c.cycle) << "saved " << bytes.size() << " bytes";
  EXPECT_EQ(messages_.shown.size(), told + (editor().lstMap().Count() ? 1 : 0))
      << "Map Saved or nothing";
}

std::string Utf16(const std::u16string& text) {
  std::string bytes = "\xFF\xFE";
  for (char16_t c : text) bytes += {static_cast<char>(c & 0xFF), static_cast<char>(c >> 8)};
  return bytes;
}

const std::string k200(200, 'd');

INSTANTIATE_TEST_SUITE_P(
    Files, HostileCycle,
    ::testing::Values(
        CycleCase{"BlanksAndCp1252Letters",
                  "de dust\r\nCAF\xC9\r\n",
                  {"\xC6gir"},
                  "my mod\xE9\xF1",
                  {"de dust", "caf\xE9", "\xC6gir"}},
        // Lines twice, by case, with a trailing blank, blank, of no map file.
        CycleCase{"RotationLinesTakeTheirMapsOut",
                  "cs_italy\r\nDE_NUKE\r\nde_aztec \r\n\r\ncs_office\r\ncs_italy\r\n",
                  {"de_aztec", "DE_DUST"},
                  "mod",
                  {"cs_italy", "DE_DUST", "de_aztec", "de_nuke"}},
        CycleCase{"ModNameOf200Characters", "de_dust\r\n", {}, std::string(200, 'm')},
        CycleCase{"MapNameOf200Characters", k200 + "\r\n", {"de_dust"}, "mod", {k200, "de_dust"}},
        // A NUL ends a list entry: each such line is named (the first ten, the rest counted)
        // and saved as it is. A UTF-16 file is 8-bit text whose NULs cut every entry short:
        // named, and not saved, since its line ends would become 8-bit CR LF.
        CycleCase{"NulEndsTheEntry",
                  [] {
                    std::string twelve;
                    for (int i = 0; i < 12; ++i) twelve += std::string("de_\0dust\r\n", 10);
                    return twelve;
                  }(),
                  {},
                  "mod",
                  {"de_dust"},
                  "\nline 9\nline 10\nand 2 more\n"},
        CycleCase{"Utf16FileIsReadAsBytes",
                  Utf16(u"de_dust\r\ncs_office\r\n"),
                  {},
                  "mod",
                  {"de_dust"},
                  "\nline 1\n"}),
    [](const auto& info) { return std::string(info.param.name); });

// Reported with the path and the reason; only the chooser is left.
TEST_F(HostileInput, WhatCannotBeOpenedIsReportedAndLeavesOnlyTheChooser) {
  const std::string mod = std::string(kHalfLife) + "\\mod", cycle = mod + "\\mapcycle.txt";
  for (const char* file : {"mapcycle.txt", "maps\\readme.txt", "maps\\de_dust.bsp.old"}) {
    ASSERT_TRUE(tools::WriteTextFile(mod + "\\" + file, "de_dust\r\n"));
  }
  ASSERT_TRUE(tools::RegisterInstallPath(kHalfLife));
  program_.Show(app::FormId::kMods);
  chooser().lstModList().SetCurrent(0);
  auto edit = [&] {
    messages_.shown.clear();
    chooser().cmdEdit_Click();
    return messages_.shown.empty() ? std::string() : messages_.shown[0].text;
  };
  EXPECT_EQ(edit(), "No files present in: " + mod + "\\maps\\*.bsp");
  EXPECT_EQ(messages_.shown.at(0).title, "Cannot Continue");

  ASSERT_TRUE(tools::WriteTextFile(mod + "\\maps\\de_dust.bsp", "map"));
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
