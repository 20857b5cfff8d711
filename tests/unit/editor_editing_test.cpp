// The editor's handlers, run in-process on the real window.
#include <gtest/gtest.h>

#include "fakes.h"
#include "support/demo_game.h"
#include "support/file_tree.h"
#include "support/registry.h"
#include "temp_folder.h"

namespace {

using F = cycle_editor::FrmRotamund;
using platform::MessageStyle;
using testing_support::FileBytes;

std::string Marked(platform::ListBox list) {
  std::string marked;
  for (int i = 0; i < list.Count(); ++i) marked += list.Text(i) + (list.IsSelected(i) ? "*" : "");
  return marked;
}

class EditorTest : public testing_support::ProgramTest {
 protected:
  EditorTest() { program_.HLPath = halfLife_.path(); }

  // Both lists as "lstBSP|lstMap": a letter an entry, "*" after a selected one. The captions go
  // stale to show whether a handler rewrites them.
  void Fill(const std::string& lists) {
    std::vector<std::string> texts[2];
    std::vector<int> selected[2];
    int list = 0;
    for (char c : lists) {
      if (c == '|') list = 1;
      if (c == '*') selected[list].push_back(static_cast<int>(texts[list].size()) - 1);
      if (c != '|' && c != '*') texts[list].push_back(std::string(1, c));
    }
    editor().Open(texts[0], texts[1], "", std::nullopt);
    for (int i : selected[0]) editor().lstBSP().SetSelected(i, true);
    for (int i : selected[1]) editor().lstMap().SetSelected(i, true);
    for (int label : {F::kLabel1, F::kLabel2}) editor().SetText(label, "stale");
  }
  // Both lists as Fill writes them, after checking that they show the model's entries.
  std::string Now() {
    EXPECT_EQ(editor().lstBSP().Texts(), editor().model().maps());
    EXPECT_EQ(editor().lstMap().Texts(), editor().model().rotation());
    return Marked(editor().lstBSP()) + "|" + Marked(editor().lstMap());
  }

  testing_support::TempFolder halfLife_;
};

TEST_F(EditorTest, MoveRemoveUpDownAndRandomize) {
  const struct {
    std::vector<void (F::*)()> presses;
    std::string before, after;
    bool recounted = false;           // both captions show the new counts
    std::optional<int> current = {};  // lstMap's focus afterwards
  } cases[] = {
      // The rules themselves: editor_model_test.cpp. Here the window: its lists show the model, the
      // captions are recounted after a move or a remove, a press that moves nothing changes
      // nothing, and Randomize seeds once and follows the draws.
      {{&F::cmdMove_Click}, "ab*cd*|qr*", "ac|bdqr*", true},
      {{&F::cmdMove_Click}, "ab|c*", "ab|c*", true},
      {{&F::cmdRemove_Click}, "ac*e*|D*b*fb*", "abbc*De*|f", true},
      {{&F::cmdUP_Click}, "x*|A*BCD*", "x*|ABD*C", false, 2},
      {{&F::cmdDown_Click}, "x*|AB*C*D", "x*|ACB*D", false, 2},
      {{&F::cmdUP_Click, &F::cmdDown_Click, &F::cmdRandom_Click}, "x*|", "x*|"},  // not seeded
      {{&F::cmdRandom_Click}, "x*|A*BCDE", "x*|DBAEC"},
  };
  for (const auto& test : cases) {
    SCOPED_TRACE(test.before);
    Fill(test.before);
    random_.queued = {0.3, 0.8, 0.1, 0.6, 0.2};
    random_.seedings = 0;
    for (auto press : test.presses) (editor().*press)();
    EXPECT_EQ(Now(), test.after);
    EXPECT_EQ(editor().lstMap().Current(), test.current.value_or(editor().lstMap().Current()));
    EXPECT_EQ(random_.seedings, test.presses[0] == &F::cmdRandom_Click ? 1 : 0);
    const int maps = editor().lstBSP().Count(), rotation = editor().lstMap().Count();
    EXPECT_EQ(editor().Text(F::kLabel1),
              test.recounted ? "All Half Life Maps (" + std::to_string(maps) + " maps)" : "stale");
    EXPECT_EQ(editor().Text(F::kLabel2),
              test.recounted ? "Map Cycle File (" + std::to_string(rotation) + " maps)" : "stale");
  }
}

// Empty: not saved. Twice: the same bytes. A vanished folder, a folder in the file's place:
// reported, nothing lost.
TEST_F(EditorTest, SaveWritesEveryEntryEndedByCrLfOrSaysWhyNot) {
  const std::string saved = halfLife_ / "cstrike\\mapcycle.txt", old(60, '#');
  ASSERT_TRUE(tools::WriteTextFile(saved, old));
  ASSERT_TRUE(tools::MakeFolders(halfLife_ / "folder\\mapcycle.txt"));
  program_.ModDir = "cstrike";
  editor().cmdSave_Click();
  EXPECT_EQ(FileBytes(saved), old);

  const std::vector<std::string> rotation = {"de_dust", "CS_OFFICE", "de_nuke ", "", "de_dust"};
  editor().Open({}, rotation, saved, old);
  for (int save = 0; save < 2; ++save) editor().cmdSave_Click();
  EXPECT_EQ(FileBytes(saved), "de_dust\r\nCS_OFFICE\r\nde_nuke \r\n\r\nde_dust\r\n");
  EXPECT_EQ(messages_.shown.at(1).text, "Map Saved") << "saved again, it found its own file";
  for (std::string modDir : {"vanished", "folder"}) {
    editor().Open({}, rotation, halfLife_ / modDir + "\\mapcycle.txt", std::nullopt);
    editor().cmdSave_Click();
    const auto& [text, title, style] = messages_.shown.back();
    EXPECT_EQ(style, MessageStyle::kCritical) << modDir;
    EXPECT_NE(text.find(halfLife_ / modDir + "\\mapcycle.txt"), std::string::npos) << text;
    EXPECT_EQ(editor().lstMap().Texts(), rotation);
  }
  EXPECT_EQ(messages_.shown.size(), 4u);  // one a save: no "Map Saved" after a failure
}

// The close box from an editor holding unsaved edits (Close: editing_run_e2e_test.cpp).
TEST_F(EditorTest, TheCloseBoxShowsTheChooserAsItWasAndDropsTheEdits) {
  ASSERT_TRUE(tools::RegisterInstallPath(halfLife_.path()));
  platform::ListBox mods = chooser().lstModList();
  mods.Refill({"c", "v"});
  mods.SetSelected(1, true);
  Fill("a*|bc");
  SendMessageA(editor().window(), WM_CLOSE, 0, 0);
  EXPECT_FALSE(program_.IsLoaded(F::kId));
  EXPECT_TRUE(chooser().IsVisible());
  EXPECT_EQ(Marked(mods), "cv*");
  EXPECT_EQ(Now(), "|");  // a new editor starts empty
}

}  // namespace
