// Rotation lines far longer than map names, driven from outside, as only another program reads the
// list entries: open, move out and back, save, and the file compared byte for byte. (The edits on
// long entries and the list's read-back of them: the in-process editor and list tests.)
#include <gtest/gtest.h>
#include <windows.h>

#include "cycle_editor/frm_rotamund.h"
#include "launcher_app.h"
#include "support/file_tree.h"
#include "temp_folder.h"

namespace {

using namespace testing_support;
using R = cycle_editor::FrmRotamund;
using Names = std::vector<std::string>;

// `length` characters cycling through every byte that may stand in a line (no NUL, CR or LF).
std::string LongLine(size_t length) {
  std::string bytes, line(length, ' ');
  for (int b = 1; b <= 0xFF; ++b)
    if (b != '\r' && b != '\n') bytes += static_cast<char>(b);
  for (size_t i = 0; i < length; ++i) line[i] = bytes[i % bytes.size()];
  return line;
}

class LongLinesE2E : public LauncherE2ETest, public ::testing::WithParamInterface<size_t> {};

TEST_P(LongLinesE2E, OpenMoveAndSaveKeepEveryByte) {
  const std::string cycle = "C:\\SIERRA\\Half-Life\\valve\\mapcycle.txt",
                    line = LongLine(GetParam());
  ASSERT_TRUE(tools::WriteTextFile(cycle, "crossfire\r\n" + line + "\r\ndatacore\r\n"));
  tools::Driver& app = *app_;
  HWND editor = OpenEditor(app, main_, "valve");
  ASSERT_NE(editor, nullptr);
  HWND maps = GetDlgItem(editor, R::kLstBSP), rotation = GetDlgItem(editor, R::kLstMap);
  auto press = [&](int id) { ASSERT_TRUE(Click(GetDlgItem(editor, id))); };
  ASSERT_TRUE(tools::ListItems(rotation) == (Names{"crossfire", line, "datacore"}))
      << "the rotation did not open as written";

  tools::SelectListItem(rotation, 1);
  press(R::kCmdRemove);
  ASSERT_EQ(tools::ListItems(rotation), (Names{"crossfire", "datacore"}));
  ASSERT_GE(IndexOf(maps, line), 0) << "the line is not among the maps";
  tools::SelectListItem(maps, IndexOf(maps, line));
  press(R::kCmdMove);
  ASSERT_TRUE(tools::ListItems(rotation) == (Names{line, "crossfire", "datacore"}))
      << "the line did not come back at the top";

  tools::Press(GetDlgItem(editor, R::kCmdSave));
  auto saved = app.WaitForMessageBox();
  ASSERT_TRUE(saved && saved->text == "Map Saved" && app.Dismiss(*saved)) << "no Map Saved box";
  EXPECT_TRUE(FileBytes(cycle) == line + "\r\ncrossfire\r\ndatacore\r\n")
      << "the saved file differs from the rotation";
}

// Past 2^20 characters and at 4 MiB, the lengths at which a list entry read by another program
// used to end the program under Wine 10.
INSTANTIATE_TEST_SUITE_P(Characters, LongLinesE2E,
                         ::testing::Values(600, 5000, 1000000, 1048580, 4194304),
                         [](const auto& info) { return std::to_string(info.param); });

}  // namespace
