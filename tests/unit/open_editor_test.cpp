// Opening the map-cycle editor from the mod chooser, in-process: what the two
// lists and their captions hold, and what happens when a modification cannot
// be opened.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "app/program.h"
#include "cycle_editor/cycle_file.h"
#include "cycle_editor/frm_rotamund.h"
#include "fakes.h"
#include "mod_chooser/frm_mods.h"
#include "platform/status.h"
#include "platform/text.h"
#include "support/demo_game.h"
#include "support/file_tree.h"
#include "temp_folder.h"

namespace {

using app::FormId;
using cycle_editor::FrmRotamund;
using Names = std::vector<std::string>;

class OpenEditorTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(tools::RegisterInstallPath(halfLife_.path()));
    program_.Show(FormId::kMods);
    ASSERT_TRUE(program_.IsLoaded(FormId::kMods));
    // Whatever the chooser found on its own, these tests choose from their own
    // install folder.
    messages_.shown.clear();
    program_.HLPath = halfLife_.path();
  }

  // Offers `mods` in the chooser and selects `chosen` (none when empty).
  void Offer(const Names& mods, const std::string& chosen) {
    platform::ListBox list = program_.frmMODS().lstModList();
    list.Refill(mods);
    for (int i = 0; i < list.Count(); ++i) {
      if (list.Text(i) == chosen) list.SetCurrent(i);
    }
  }
  void Open(const std::string& mod) {
    Offer({mod}, mod);
    program_.frmMODS().cmdEdit_Click();
  }
  void AddMaps(const std::string& mod, const Names& files) {
    for (const std::string& file : files) {
      ASSERT_TRUE(tools::WriteTextFile(halfLife_ / mod + "\\maps\\" + file, "map"));
    }
  }
  void WriteCycle(const std::string& mod, const std::string& bytes) {
    ASSERT_TRUE(tools::WriteTextFile(halfLife_ / mod + "\\mapcycle.txt", bytes));
  }
  FrmRotamund& editor() { return program_.frmRotamund(); }
  bool EditorOpen() {
    return program_.IsLoaded(FormId::kRotamund) && editor().IsVisible() &&
           !program_.frmMODS().IsVisible();
  }

  testing_support::TempFolder halfLife_;
  testing_support::RecordingMessageBoxes messages_;
  testing_support::ScriptedRandom random_;
  app::Program program_{{messages_, random_}};
};

struct Case {
  const char* name;
  Names mapFiles;
  std::string cycle;
  Names maps;      // lstBSP afterwards
  Names rotation;  // lstMap afterwards
};

void PrintTo(const Case& c, std::ostream* out) { *out << c.name; }

class OpenEditorCases : public OpenEditorTest, public ::testing::WithParamInterface<Case> {};

TEST_P(OpenEditorCases, FillsBothListsAndCaptions) {
  const Case& c = GetParam();
  AddMaps("mod", c.mapFiles);
  WriteCycle("mod", c.cycle);
  Open("mod");
  EXPECT_TRUE(messages_.shown.empty());
  ASSERT_TRUE(EditorOpen());
  EXPECT_EQ(program_.ModDir, "mod");
  EXPECT_EQ(editor().lstBSP().Texts(), c.maps);
  EXPECT_EQ(editor().lstMap().Texts(), c.rotation);
  EXPECT_EQ(editor().Text(FrmRotamund::kLabel1),
            "All Half Life Maps (" + std::to_string(c.maps.size()) + " maps)");
  EXPECT_EQ(editor().Text(FrmRotamund::kLabel2),
            "Map Cycle File (" + std::to_string(c.rotation.size()) + " maps)");
}

const Names kFour = {"cs_italy.bsp", "de_aztec.bsp", "de_dust.bsp", "de_nuke.bsp"};

INSTANTIATE_TEST_SUITE_P(
    Cases, OpenEditorCases,
    ::testing::Values(
        Case{"CaseIgnoredAndUnknownNameKept",
             kFour,
             "de_dust\r\nDE_NUKE\r\ncs_office\r\n",
             {"cs_italy", "de_aztec"},
             {"de_dust", "DE_NUKE", "cs_office"}},
        Case{"TrailingBlankMatchesNothing",
             kFour,
             "de_dust \r\n",
             {"cs_italy", "de_aztec", "de_dust", "de_nuke"},
             {"de_dust "}},
        Case{"MapNamedTwice",
             kFour,
             "de_dust\r\nde_aztec\r\nde_dust\r\n",
             {"cs_italy", "de_nuke"},
             {"de_dust", "de_aztec", "de_dust"}},
        Case{"BlankLineKept",
             kFour,
             "de_dust\r\n\r\nde_nuke\r\n",
             {"cs_italy", "de_aztec"},
             {"de_dust", "", "de_nuke"}},
        Case{"ExtensionIsNotAdded",
             kFour,
             "de_dust.bsp\r\n",
             {"cs_italy", "de_aztec", "de_dust", "de_nuke"},
             {"de_dust.bsp"}},
        Case{"UpperCaseFileNameCutByFour",
             {"cs_italy.bsp", "DE_DUST.BSP", "de_aztec.bsp", "De_Nuke.Bsp"},
             "cs_italy\r\n",
             {"de_aztec", "DE_DUST", "De_Nuke"},
             {"cs_italy"}},
        Case{"EmptyCycleFile", kFour, "", {"cs_italy", "de_aztec", "de_dust", "de_nuke"}, {}},
        Case{"LoneLineFeedsAndLastLineUnended",
             kFour,
             "de_nuke\nde_dust\rcs_italy",
             {"de_aztec"},
             {"de_nuke", "de_dust", "cs_italy"}},
        Case{"EveryMapInTheCycle",
             kFour,
             "de_nuke\r\nde_dust\r\ncs_italy\r\nde_aztec\r\n",
             {},
             {"de_nuke", "de_dust", "cs_italy", "de_aztec"}},
        Case{"OnlyOrdinaryBspFiles",
             {"de_dust.bsp", "de_dust.bsp.txt", "readme.txt", "x.bspx"},
             "",
             {"de_dust"},
             {}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(OpenEditorTest, DemoModsOpenWithTheirMapsAndRotations) {
  ASSERT_TRUE(tools::InstallDemoGame(halfLife_.path()));
  Names rotation = cycle::ParseCycle(tools::DemoFileContent("mapcycle.old.txt"));
  Names maps;
  for (const std::string& map : tools::DemoCounterStrikeMaps()) {
    if (std::find(rotation.begin(), rotation.end(), map) == rotation.end()) maps.push_back(map);
  }
  std::sort(maps.begin(), maps.end());
  Offer({"cstrike", "valve"}, "cstrike");
  program_.frmMODS().cmdEdit_Click();
  ASSERT_TRUE(EditorOpen());
  EXPECT_EQ(editor().lstBSP().Texts(), maps);
  EXPECT_EQ(editor().lstMap().Texts(), rotation);
  EXPECT_EQ(editor().Text(FrmRotamund::kLabel1),
            "All Half Life Maps (" + std::to_string(maps.size()) + " maps)");
  EXPECT_EQ(editor().Text(FrmRotamund::kLabel2), "Map Cycle File (6 maps)");

  // The chooser keeps its list and selection while it is hidden, and the
  // editor's close box brings it back.
  EXPECT_EQ(program_.frmMODS().lstModList().Texts(), (Names{"cstrike", "valve"}));
  EXPECT_EQ(program_.frmMODS().lstModList().Current(), 0);
  SendMessageA(editor().window(), WM_CLOSE, 0, 0);
  program_.ReleaseUnloaded();
  EXPECT_FALSE(program_.IsLoaded(FormId::kRotamund));
  ASSERT_TRUE(program_.frmMODS().IsVisible());
  EXPECT_EQ(program_.frmMODS().lstModList().Current(), 0);

  // A double click opens the other one in a fresh editor.
  program_.frmMODS().lstModList().SetCurrent(1);
  program_.frmMODS().lstModList_DblClick();
  ASSERT_TRUE(EditorOpen());
  EXPECT_EQ(program_.ModDir, "valve");
  EXPECT_EQ(editor().lstBSP().Texts(),
            (Names{"bounce", "frenzy", "gasworks", "snark_pit", "subtransit", "undertow"}));
  EXPECT_EQ(editor().lstMap().Texts(), (Names{"crossfire", "datacore", "stalkyard"}));
  EXPECT_EQ(editor().Text(FrmRotamund::kLabel1), "All Half Life Maps (6 maps)");
  EXPECT_EQ(editor().Text(FrmRotamund::kLabel2), "Map Cycle File (3 maps)");
}

TEST_F(OpenEditorTest, FortyMapsTwelveInTheCycle) {
  Names files;
  std::string cycle;
  for (int i = 0; i < 40; ++i) {
    std::string map = "map" + std::to_string(100 + i);
    files.push_back(map + ".bsp");
    if (i % 3 == 0 && i < 36) cycle += map + "\r\n";
  }
  AddMaps("mod", files);
  WriteCycle("mod", cycle);
  Open("mod");
  ASSERT_TRUE(EditorOpen());
  EXPECT_EQ(editor().Text(FrmRotamund::kLabel1), "All Half Life Maps (28 maps)");
  EXPECT_EQ(editor().Text(FrmRotamund::kLabel2), "Map Cycle File (12 maps)");
}

TEST_F(OpenEditorTest, NothingSelectedDoesNothing) {
  AddMaps("mod", kFour);
  WriteCycle("mod", "de_dust\r\n");
  program_.ModDir = "before";
  Offer({"mod"}, "");
  program_.frmMODS().cmdEdit_Click();
  program_.frmMODS().lstModList_DblClick();
  EXPECT_EQ(program_.ModDir, "before");
  EXPECT_FALSE(program_.IsLoaded(FormId::kRotamund));
  EXPECT_TRUE(program_.frmMODS().IsVisible());
  EXPECT_TRUE(messages_.shown.empty());
}

TEST_F(OpenEditorTest, ModWithoutMapFilesIsReportedAndLeavesNoEditorBehind) {
  const std::string emptyMaps = halfLife_ / "nomaps" + "\\maps";
  struct Setup {
    const char* mod;
    bool mapsFolder;
  };
  for (Setup setup : {Setup{"nomaps", true}, Setup{"nofolder", false}}) {
    SCOPED_TRACE(setup.mod);
    messages_.shown.clear();
    if (setup.mapsFolder) AddMaps(setup.mod, {"readme.txt", "de_dust.bsp.old"});
    WriteCycle(setup.mod, "de_dust\r\nde_nuke\r\n");
    Open(setup.mod);
    ASSERT_EQ(messages_.shown.size(), 1u);
    EXPECT_EQ(messages_.shown[0].text,
              "No files present in: " + halfLife_.path() + "\\" + setup.mod + "\\maps\\*.bsp");
    EXPECT_EQ(messages_.shown[0].title, "Cannot Continue");
    EXPECT_EQ(messages_.shown[0].style, platform::MessageStyle::kCritical);
    EXPECT_EQ(program_.ModDir, setup.mod);
    EXPECT_FALSE(program_.IsLoaded(FormId::kRotamund));
    EXPECT_TRUE(program_.frmMODS().IsVisible());
  }
  // With no editor left loaded, leaving the chooser ends the program.
  SendMessageA(program_.frmMODS().window(), WM_CLOSE, 0, 0);
  EXPECT_TRUE(program_.ended());
}

TEST_F(OpenEditorTest, UnreadableCycleFileIsReportedAndTheChooserStays) {
  AddMaps("mod", kFour);
  const std::string cycle = halfLife_ / "mod" + "\\mapcycle.txt";
  struct Setup {
    const char* what;
    DWORD code;
  };
  for (Setup setup :
       {Setup{"gone", ERROR_FILE_NOT_FOUND}, Setup{"locked", ERROR_SHARING_VIOLATION}}) {
    SCOPED_TRACE(setup.what);
    messages_.shown.clear();
    platform::UniqueHandle holder;
    if (setup.code == ERROR_SHARING_VIOLATION) {
      WriteCycle("mod", "de_dust\r\n");
      holder = platform::AdoptHandle(CreateFileA(cycle.c_str(), GENERIC_WRITE, 0, nullptr,
                                                 OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
      ASSERT_TRUE(holder);
    }
    Open("mod");
    ASSERT_EQ(messages_.shown.size(), 1u);
    const std::string& text = messages_.shown[0].text;
    EXPECT_NE(text.find(cycle), std::string::npos) << text;
    EXPECT_NE(text.find(platform::SystemErrorText(setup.code)), std::string::npos) << text;
    EXPECT_EQ(messages_.shown[0].style, platform::MessageStyle::kCritical);
    EXPECT_FALSE(program_.IsLoaded(FormId::kRotamund));
    EXPECT_TRUE(program_.frmMODS().IsVisible());
    holder.reset();
    DeleteFileA(cycle.c_str());
  }
}

TEST_F(OpenEditorTest, MoreLinesThanSixteenBitsCountAreAllShown) {
  constexpr int kLines = 40000;
  AddMaps("mod", {"de_dust.bsp", "de_nuke.bsp"});
  std::string cycle;
  for (int i = 0; i < kLines; ++i) cycle += "map" + std::to_string(i) + "\r\n";
  cycle += "DE_DUST\r\n";
  WriteCycle("mod", cycle);
  Open("mod");
  ASSERT_TRUE(EditorOpen());
  platform::ListBox rotation = editor().lstMap();
  ASSERT_EQ(rotation.Count(), kLines + 1);
  EXPECT_EQ(rotation.Text(32767), "map32767");
  EXPECT_EQ(rotation.Text(kLines - 1), "map39999");
  EXPECT_EQ(rotation.Text(kLines), "DE_DUST");
  EXPECT_EQ(editor().lstBSP().Texts(), (Names{"de_nuke"}));
  EXPECT_EQ(editor().Text(FrmRotamund::kLabel2), "Map Cycle File (40001 maps)");

  // The sorted list holds as many.
  Names many;
  for (int i = kLines - 1; i >= 0; --i) {
    char name[16];
    std::snprintf(name, sizeof name, "m%d", 100000 + i);
    many.emplace_back(name);
  }
  editor().lstBSP().Refill(many);
  ASSERT_EQ(editor().lstBSP().Count(), kLines);
  EXPECT_EQ(editor().lstBSP().Text(0), "m100000");
  EXPECT_EQ(editor().lstBSP().Text(kLines - 1), "m139999");
}

}  // namespace
