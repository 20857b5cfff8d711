// The editor's editing, shuffling, saving and leaving handlers, run in-process
// on the real window: real list boxes, real handlers, fake message boxes and a
// scripted random source.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include "app/about.h"
#include "app/program.h"
#include "cycle_editor/frm_rotamund.h"
#include "fakes.h"
#include "mod_chooser/frm_mods.h"
#include "platform/handles.h"
#include "support/file_tree.h"
#include "temp_folder.h"

namespace {

using cycle_editor::FrmRotamund;
using platform::ListBox;
using testing_support::RecordingMessageBoxes;
using testing_support::ScriptedRandom;
using testing_support::TempFolder;
using Names = std::vector<std::string>;
using Indexes = std::vector<int>;

Indexes SelectedIndexes(const ListBox& list) {
  Indexes indexes;
  std::vector<bool> selection = list.Selection();
  for (size_t i = 0; i < selection.size(); ++i) {
    if (selection[i]) indexes.push_back(static_cast<int>(i));
  }
  return indexes;
}

std::string MapsCaption(size_t count) {
  return "All Half Life Maps (" + std::to_string(count) + " maps)";
}
std::string CycleCaption(size_t count) {
  return "Map Cycle File (" + std::to_string(count) + " maps)";
}

class EditorTest : public ::testing::Test {
 protected:
  EditorTest() : program_({messages_, random_}) {
    program_.HLPath = halfLife_.path();
    program_.ModDir = "cstrike";
    tools::MakeFolders(halfLife_ / "cstrike");
  }

  FrmRotamund& editor() { return program_.frmRotamund(); }
  ListBox maps() { return editor().lstBSP(); }
  ListBox rotation() { return editor().lstMap(); }

  // Fills the lists the way opening the editor does; `maps` must be sorted
  // so that the selected indexes mean what the test says.
  void Fill(const Names& mapNames, const Indexes& mapsSelected, const Names& rotationNames,
            const Indexes& rotationSelected) {
    maps().Refill(mapNames);
    rotation().Refill(rotationNames);
    ASSERT_EQ(maps().Texts(), mapNames);
    for (int index : mapsSelected) maps().SetSelected(index, true);
    for (int index : rotationSelected) rotation().SetSelected(index, true);
    // Stale captions show whether a handler rewrote them.
    editor().SetText(FrmRotamund::kLabel1, "stale");
    editor().SetText(FrmRotamund::kLabel2, "stale");
  }
  std::string Label1() { return editor().Text(FrmRotamund::kLabel1); }
  std::string Label2() { return editor().Text(FrmRotamund::kLabel2); }
  std::string cycleFile() const { return halfLife_ / "cstrike\\mapcycle.txt"; }
  std::string ReadCycleFile() const {
    std::string bytes;
    EXPECT_TRUE(tools::ReadTextFile(cycleFile(), bytes));
    return bytes;
  }

  TempFolder halfLife_;
  RecordingMessageBoxes messages_;
  ScriptedRandom random_;
  app::Program program_;
};

// --- Moving maps into and out of the rotation --------------------------------

enum class Press { kMove, kRemove, kMapsDoubleClick, kRotationDoubleClick, kUp, kDown };

void PressOn(FrmRotamund& editor, Press press) {
  switch (press) {
    case Press::kMove:
      return editor.cmdMove_Click();
    case Press::kRemove:
      return editor.cmdRemove_Click();
    case Press::kMapsDoubleClick:
      return editor.lstBSP_DblClick();
    case Press::kRotationDoubleClick:
      return editor.lstMap_DblClick();
    case Press::kUp:
      return editor.cmdUP_Click();
    case Press::kDown:
      return editor.cmdDown_Click();
  }
}

struct TransferCase {
  const char* name;
  Press press;
  Names maps;
  Indexes mapsSelected;
  Names rotation;
  Indexes rotationSelected;
  Names mapsAfter;
  Indexes mapsSelectedAfter;
  Names rotationAfter;
  Indexes rotationSelectedAfter;
};

TEST_F(EditorTest, MoveAndRemoveTransferTheSelectionAndRewriteBothCounts) {
  const TransferCase cases[] = {
      {"moved maps head the rotation in their order; its own flags stay",
       Press::kMove,
       {"de_aztec", "de_dust", "de_nuke", "de_train"},
       {1, 3},
       {"cs_office", "cs_italy"},
       {1},
       {"de_aztec", "de_nuke"},
       {},
       {"de_dust", "de_train", "cs_office", "cs_italy"},
       {3}},
      {"three maps keep their alphabetical order",
       Press::kMove,
       {"as_oilrig", "cs_assault", "de_cbble", "de_prodigy"},
       {0, 2, 3},
       {"cs_office"},
       {},
       {"cs_assault"},
       {},
       {"as_oilrig", "de_cbble", "de_prodigy", "cs_office"},
       {}},
      {"a double click moves the whole selection",
       Press::kMapsDoubleClick,
       {"a", "b", "c"},
       {0, 2},
       {},
       {},
       {"b"},
       {},
       {"a", "c"},
       {}},
      {"an empty selection moves nothing",
       Press::kMove,
       {"a", "b"},
       {},
       {"c"},
       {0},
       {"a", "b"},
       {},
       {"c"},
       {0}},
      {"a removed map goes between its neighbours",
       Press::kRemove,
       {"cs_italy", "de_nuke"},
       {},
       {"de_aztec", "de_dust", "cs_office"},
       {1},
       {"cs_italy", "de_dust", "de_nuke"},
       {},
       {"de_aztec", "cs_office"},
       {}},
      {"a name removed twice stands twice",
       Press::kRemove,
       {"cs_italy"},
       {},
       {"de_dust", "cs_office", "de_dust"},
       {0, 2},
       {"cs_italy", "de_dust", "de_dust"},
       {},
       {"cs_office"},
       {}},
      {"maps that stay keep their flags",
       Press::kRemove,
       {"a", "c", "e"},
       {1, 2},
       {"d", "b", "f"},
       {0, 1},
       {"a", "b", "c", "d", "e"},
       {2, 4},
       {"f"},
       {}},
      {"names without a map file, blanks and capitals move like any other",
       Press::kRotationDoubleClick,
       {"cs_italy", "de_nuke"},
       {},
       {"", "DE_DUST ", "no_such"},
       {0, 1, 2},
       {"", "cs_italy", "DE_DUST ", "de_nuke", "no_such"},
       {},
       {},
       {}},
      {"an empty selection removes nothing",
       Press::kRemove,
       {"a"},
       {0},
       {"c", "b"},
       {},
       {"a"},
       {0},
       {"c", "b"},
       {}},
      {"both lists empty", Press::kMove, {}, {}, {}, {}, {}, {}, {}, {}},
  };
  for (const TransferCase& test : cases) {
    SCOPED_TRACE(test.name);
    Fill(test.maps, test.mapsSelected, test.rotation, test.rotationSelected);

    PressOn(editor(), test.press);

    EXPECT_EQ(maps().Texts(), test.mapsAfter);
    EXPECT_EQ(SelectedIndexes(maps()), test.mapsSelectedAfter);
    EXPECT_EQ(rotation().Texts(), test.rotationAfter);
    EXPECT_EQ(SelectedIndexes(rotation()), test.rotationSelectedAfter);
    EXPECT_EQ(maps().Count() + rotation().Count(), test.maps.size() + test.rotation.size());
    EXPECT_EQ(Label1(), MapsCaption(test.mapsAfter.size()));
    EXPECT_EQ(Label2(), CycleCaption(test.rotationAfter.size()));
  }
  EXPECT_TRUE(messages_.shown.empty());
}

TEST_F(EditorTest, CaptionsSayMapsAfterEveryCount) {
  Fill({"de_aztec", "de_dust"}, {1}, {}, {});
  editor().cmdMove_Click();
  EXPECT_EQ(Label1(), "All Half Life Maps (1 maps)");
  EXPECT_EQ(Label2(), "Map Cycle File (1 maps)");
  rotation().SetSelected(0, true);
  editor().cmdRemove_Click();
  EXPECT_EQ(Label1(), "All Half Life Maps (2 maps)");
  EXPECT_EQ(Label2(), "Map Cycle File (0 maps)");
}

// --- Moving one entry up or down ---------------------------------------------

struct StepCase {
  const char* name;
  Press press;
  Names rotation;
  Indexes selected;
  Names after;
  Indexes selectedAfter;
  int currentAfter;  // kUnchanged: the current entry stays where it was
};
constexpr int kUnchanged = -2;

TEST_F(EditorTest, UpAndDownMoveTheFirstSelectedEntryOnePlace) {
  const Names abcd = {"A", "B", "C", "D"};
  const StepCase cases[] = {
      {"up skips the first entry and moves the next selected one",
       Press::kUp,
       abcd,
       {0, 3},
       {"A", "B", "D", "C"},
       {2},
       2},
      {"down moves the first of two selected entries",
       Press::kDown,
       abcd,
       {1, 2},
       {"A", "C", "B", "D"},
       {2},
       2},
      {"up with the first entry alone selected", Press::kUp, abcd, {0}, abcd, {0}, kUnchanged},
      {"down with the last entry alone selected", Press::kDown, abcd, {3}, abcd, {3}, kUnchanged},
      {"up with nothing selected", Press::kUp, abcd, {}, abcd, {}, kUnchanged},
      {"down with nothing selected", Press::kDown, abcd, {}, abcd, {}, kUnchanged},
      {"up on an empty rotation", Press::kUp, {}, {}, {}, {}, kUnchanged},
      {"down on an empty rotation", Press::kDown, {}, {}, {}, {}, kUnchanged},
      {"up on one entry", Press::kUp, {"A"}, {0}, {"A"}, {0}, kUnchanged},
      {"down on one entry", Press::kDown, {"A"}, {0}, {"A"}, {0}, kUnchanged},
      {"duplicates move as separate entries",
       Press::kUp,
       {"A", "B", "A"},
       {2},
       {"A", "A", "B"},
       {1},
       1},
  };
  for (const StepCase& test : cases) {
    SCOPED_TRACE(test.name);
    Fill({"x"}, {}, test.rotation, test.selected);
    const int currentBefore = rotation().Current();

    PressOn(editor(), test.press);

    EXPECT_EQ(rotation().Texts(), test.after);
    EXPECT_EQ(SelectedIndexes(rotation()), test.selectedAfter);
    EXPECT_EQ(rotation().Current(),
              test.currentAfter == kUnchanged ? currentBefore : test.currentAfter);
    EXPECT_EQ(Label1(), "stale");
    EXPECT_EQ(Label2(), "stale");
    EXPECT_EQ(maps().Texts(), Names{"x"});
  }
}

TEST_F(EditorTest, RepeatedPressesCarryOneMapToTheEndAndStopThere) {
  Fill({}, {}, {"A", "B", "C"}, {2});
  for (int press = 0; press < 3; ++press) editor().cmdUP_Click();
  EXPECT_EQ(rotation().Texts(), (Names{"C", "A", "B"}));
  EXPECT_EQ(SelectedIndexes(rotation()), Indexes{0});
  for (int press = 0; press < 3; ++press) editor().cmdDown_Click();
  EXPECT_EQ(rotation().Texts(), (Names{"A", "B", "C"}));
  EXPECT_EQ(SelectedIndexes(rotation()), Indexes{2});
  EXPECT_EQ(rotation().Current(), 2);
}

// --- Randomizing -------------------------------------------------------------

TEST_F(EditorTest, RandomizeFollowsTheDrawsOfTheSeededSource) {
  struct Draw {
    const char* name;
    Names before;
    std::vector<double> draws;
    Names after;
  };
  const Draw cases[] = {
      {"one map stays", {"A"}, {}, {"A"}},
      {"two maps swap", {"A", "B"}, {0.7}, {"B", "A"}},
      {"lowest draws", {"A", "B", "C", "D", "E"}, {0, 0, 0, 0}, {"E", "D", "A", "C", "B"}},
      {"highest draws",
       {"A", "B", "C", "D", "E"},
       {0.99, 0.99, 0.99, 0.99},
       {"B", "C", "A", "D", "E"}},
  };
  for (const Draw& test : cases) {
    SCOPED_TRACE(test.name);
    Fill({"x"}, {0}, test.before, {0});
    random_.queued.assign(test.draws.begin(), test.draws.end());
    const int seedingsBefore = random_.seedings;

    editor().cmdRandom_Click();

    EXPECT_EQ(random_.seedings, seedingsBefore + 1);
    EXPECT_TRUE(random_.queued.empty());
    EXPECT_EQ(rotation().Texts(), test.after);
    EXPECT_EQ(SelectedIndexes(rotation()), Indexes{});
    EXPECT_EQ(maps().Texts(), Names{"x"});
    EXPECT_EQ(SelectedIndexes(maps()), Indexes{0});
    EXPECT_EQ(Label1(), "stale");
    EXPECT_EQ(Label2(), "stale");
  }
}

TEST_F(EditorTest, RandomizePutsTheFirstMapInTheMiddle) {
  for (size_t n = 3; n <= 6; ++n) {
    Names before;
    for (size_t i = 0; i < n; ++i) before.push_back(std::string(1, static_cast<char>('A' + i)));
    for (int press = 0; press < 20; ++press) {
      Fill({}, {}, before, {});
      editor().cmdRandom_Click();
      Names after = rotation().Texts();
      ASSERT_EQ(after.size(), n);
      EXPECT_EQ(after[n / 2], "A") << "n = " << n;
      std::sort(after.begin(), after.end());
      EXPECT_EQ(after, before);
    }
  }
}

TEST_F(EditorTest, RandomizeOnAnEmptyRotationDoesNothing) {
  Fill({"x"}, {}, {}, {});
  editor().cmdRandom_Click();
  EXPECT_EQ(random_.seedings, 0);
  EXPECT_EQ(rotation().Count(), 0);
  EXPECT_TRUE(messages_.shown.empty());
}

// --- Saving ------------------------------------------------------------------

TEST_F(EditorTest, SaveWritesTheRotationLineByLineAndConfirms) {
  ASSERT_TRUE(tools::WriteTextFile(cycleFile(), "old\r\ncontent\r\nlonger than the new\r\n"));
  Fill({"cs_italy"}, {0}, {"de_dust", "CS_OFFICE", "de_nuke ", "", "de_dust"}, {1});
  const std::string expected = "de_dust\r\nCS_OFFICE\r\nde_nuke \r\n\r\nde_dust\r\n";

  for (int save = 1; save <= 2; ++save) {
    SCOPED_TRACE(save);
    editor().cmdSave_Click();

    EXPECT_EQ(ReadCycleFile(), expected);
    ASSERT_EQ(messages_.shown.size(), static_cast<size_t>(save));
    EXPECT_EQ(messages_.shown.back().text, "Map Saved");
    EXPECT_EQ(messages_.shown.back().title, "Saved");
    EXPECT_EQ(messages_.shown.back().style, platform::MessageStyle::kPlain);
  }
  EXPECT_TRUE(program_.IsLoaded(FrmRotamund::kId));
  EXPECT_EQ(rotation().Texts(), (Names{"de_dust", "CS_OFFICE", "de_nuke ", "", "de_dust"}));
  EXPECT_EQ(SelectedIndexes(rotation()), Indexes{1});
  EXPECT_EQ(SelectedIndexes(maps()), Indexes{0});
  EXPECT_EQ(Label1(), "stale");
  EXPECT_EQ(Label2(), "stale");
  EXPECT_EQ(tools::FolderNames(halfLife_ / "cstrike"), Names{"mapcycle.txt"});
}

TEST_F(EditorTest, SaveAfterRandomizeWritesTheNewOrder) {
  Fill({}, {}, {"A", "B", "C"}, {});
  random_.queued = {0, 0};
  editor().cmdRandom_Click();
  editor().cmdSave_Click();
  EXPECT_EQ(ReadCycleFile(), "C\r\nA\r\nB\r\n");
}

TEST_F(EditorTest, SaveOfAnEmptyRotationLeavesTheFileAndSaysNothing) {
  const std::string before = "de_dust\r\ncs_office";
  ASSERT_TRUE(tools::WriteTextFile(cycleFile(), before));
  Fill({"de_dust"}, {}, {}, {});
  editor().cmdSave_Click();
  EXPECT_EQ(ReadCycleFile(), before);
  EXPECT_TRUE(messages_.shown.empty());

  DeleteFileA(cycleFile().c_str());
  editor().cmdSave_Click();
  EXPECT_TRUE(tools::FolderNames(halfLife_ / "cstrike").empty());
}

TEST_F(EditorTest, AFailedSaveIsReportedAndLosesNothing) {
  const std::string before = "cs_office\r\n";
  struct Failure {
    const char* name;
    std::string modDir;
    bool keepsOldFile;  // the old file is there and must stay byte for byte
  };
  const Failure failures[] = {
      {"the modification folder is gone", "vanished", false},
      {"a folder stands where the file goes", "folder", false},
      {"another program holds the file without sharing", "locked", true},
  };
  ASSERT_TRUE(tools::MakeFolders(halfLife_ / "folder\\mapcycle.txt"));
  ASSERT_TRUE(tools::WriteTextFile(halfLife_ / "locked\\mapcycle.txt", before));
  const std::string lockedPath = halfLife_ / "locked\\mapcycle.txt";
  platform::UniqueHandle lock = platform::AdoptHandle(CreateFileA(
      lockedPath.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  ASSERT_TRUE(lock);

  for (const Failure& failure : failures) {
    SCOPED_TRACE(failure.name);
    messages_.shown.clear();
    program_.ModDir = failure.modDir;
    const std::string path = halfLife_ / (failure.modDir + "\\mapcycle.txt");
    Fill({"cs_italy"}, {}, {"de_dust", "de_nuke"}, {1});

    editor().cmdSave_Click();

    ASSERT_EQ(messages_.shown.size(), 1u);
    EXPECT_EQ(messages_.shown[0].style, platform::MessageStyle::kCritical);
    EXPECT_NE(messages_.shown[0].text.find(path), std::string::npos) << messages_.shown[0].text;
    EXPECT_NE(messages_.shown[0].text, "Map Saved");
    EXPECT_TRUE(program_.IsLoaded(FrmRotamund::kId));
    EXPECT_EQ(rotation().Texts(), (Names{"de_dust", "de_nuke"}));
    EXPECT_EQ(SelectedIndexes(rotation()), Indexes{1});
    if (failure.keepsOldFile) {
      lock.reset();
      std::string bytes;
      EXPECT_TRUE(tools::ReadTextFile(path, bytes));
      EXPECT_EQ(bytes, before);
    }
  }
  // No temporary file is left behind.
  EXPECT_EQ(tools::FolderNames(halfLife_ / "locked"), Names{"mapcycle.txt"});
  EXPECT_EQ(tools::FolderNames(halfLife_ / "folder"), Names{"mapcycle.txt"});
  EXPECT_EQ(tools::FolderNames(halfLife_.path()), (Names{"cstrike", "folder", "locked"}));
}

// --- Leaving -----------------------------------------------------------------

constexpr char kHalfLifeKey[] = "Software\\Valve\\Half-Life\\";

std::optional<std::string> InstallPathValue() {
  char value[MAX_PATH] = {};
  DWORD size = sizeof value;
  if (RegGetValueA(HKEY_LOCAL_MACHINE, kHalfLifeKey, "InstallPath", RRF_RT_REG_SZ, nullptr, value,
                   &size) != ERROR_SUCCESS) {
    return std::nullopt;
  }
  return std::string(value);
}

class EditorLeavingTest : public EditorTest {
 protected:
  // The chooser reads the install folder from the registry; other tests find
  // the value as it was.
  void TearDown() override {
    if (savedInstallPath_) {
      tools::SetRegistryString(HKEY_LOCAL_MACHINE, kHalfLifeKey, "InstallPath", *savedInstallPath_);
    } else {
      RegDeleteKeyValueA(HKEY_LOCAL_MACHINE, kHalfLifeKey, "InstallPath");
    }
  }

  // The chooser lists the temporary install, with "valve" chosen, and is
  // hidden behind an editor holding unsaved edits.
  void OpenEditorFromChooser() {
    tools::WriteTextFile(halfLife_ / "cstrike\\mapcycle.txt", "de_dust\r\n");
    tools::WriteTextFile(halfLife_ / "valve\\mapcycle.txt", "crossfire\r\n");
    ASSERT_TRUE(tools::SetRegistryString(HKEY_LOCAL_MACHINE, kHalfLifeKey, "InstallPath",
                                         halfLife_.path()));
    program_.Load(app::FormId::kMods);
    ASSERT_TRUE(program_.IsLoaded(app::FormId::kMods));
    ListBox mods = program_.frmMODS().lstModList();
    mods.Refill({"cstrike", "valve"});
    mods.SetSelected(1, true);
    program_.ModDir = "valve";
    Fill({"de_aztec"}, {0}, {"crossfire", "bounce"}, {});
    program_.Show(FrmRotamund::kId);
    program_.Hide(app::FormId::kMods);
    messages_.shown.clear();
  }

  void ExpectChooserBackAndEditorGone() {
    program_.ReleaseUnloaded();
    EXPECT_FALSE(program_.IsLoaded(FrmRotamund::kId));
    EXPECT_FALSE(program_.ended());
    ASSERT_TRUE(program_.IsLoaded(app::FormId::kMods));
    EXPECT_TRUE(program_.frmMODS().IsVisible());
    ListBox mods = program_.frmMODS().lstModList();
    EXPECT_EQ(mods.Texts(), (Names{"cstrike", "valve"}));
    EXPECT_EQ(mods.Current(), 1);
    EXPECT_EQ(mods.SelectedCount(), 1);
    std::string bytes;
    EXPECT_TRUE(tools::ReadTextFile(halfLife_ / "valve\\mapcycle.txt", bytes));
    EXPECT_EQ(bytes, "crossfire\r\n");
    EXPECT_TRUE(messages_.shown.empty());
    // A new editor starts empty: the unsaved edits went with the old one.
    EXPECT_EQ(editor().lstMap().Count(), 0);
    EXPECT_EQ(editor().lstBSP().Count(), 0);
  }

  const std::optional<std::string> savedInstallPath_ = InstallPathValue();
};

TEST_F(EditorLeavingTest, CloseShowsTheChooserAsItWasAndDropsTheEdits) {
  OpenEditorFromChooser();
  editor().cmdClose_Click();
  ExpectChooserBackAndEditorGone();
}

TEST_F(EditorLeavingTest, TheCloseBoxLeavesLikeClose) {
  OpenEditorFromChooser();
  SendMessageA(editor().window(), WM_CLOSE, 0, 0);
  ExpectChooserBackAndEditorGone();
}

TEST_F(EditorTest, ThePictureShowsTheAboutBox) {
  editor().Image1_Click();
  ASSERT_EQ(messages_.shown.size(), 1u);
  EXPECT_EQ(messages_.shown[0].text, app::kAboutText);
  EXPECT_EQ(messages_.shown[0].title, std::nullopt);
  EXPECT_EQ(messages_.shown[0].style, platform::MessageStyle::kPlain);
}

}  // namespace
