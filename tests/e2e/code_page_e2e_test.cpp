// A rotation file as other tools leave it, opened under the ANSI code page of the run's locale
// (test.sh runs this suite under 1252, 1251, 932 and 936): a map moved in, the file saved, and
// every other line kept byte for byte.
#include <gtest/gtest.h>
#include <windows.h>

#include "cycle_editor/frm_rotamund.h"
#include "launcher_app.h"
#include "support/file_tree.h"
#include "temp_folder.h"

namespace {

using namespace testing_support;
using R = cycle_editor::FrmRotamund;

// A map name in the code page's own letters (its second byte 0x5C under 932), as a player of that
// language names a map file.
std::string MapNameInCodePage() {
  const UINT codePage = GetACP();
  const wchar_t* name = codePage == 1252   ? L"caf\u00e9"
                        : codePage == 1251 ? L"\u043a\u0430\u0440\u0442\u0430"
                        : codePage == 932  ? L"\u30bd\u30d5\u30c8"
                        : codePage == 936  ? L"\u5730\u56fe"
                                           : L"frenzy_2";
  char bytes[64] = {};
  const int length =
      WideCharToMultiByte(CP_ACP, 0, name, -1, bytes, sizeof bytes, nullptr, nullptr);
  return std::string(bytes, static_cast<size_t>(length - 1));
}

constexpr wchar_t kValveMaps[] = L"C:\\SIERRA\\Half-Life\\valve\\maps\\";

// The maps this suite names in each code page's letters, removed by their UTF-16 names: under
// another code page their 8-bit names are question marks, and no test could remove them.
void RemoveCodePageMaps() {
  for (const wchar_t* name :
       {L"caf\u00e9", L"\u043a\u0430\u0440\u0442\u0430", L"\u30bd\u30d5\u30c8", L"\u5730\u56fe"}) {
    DeleteFileW((std::wstring(kValveMaps) + name + L".bsp").c_str());
  }
}

class CodePageEditorE2E : public LauncherE2ETest {
 protected:
  void SetUp() override {
    RemoveCodePageMaps();
    LauncherE2ETest::SetUp();
  }
  void TearDown() override { RemoveCodePageMaps(); }
};

TEST_F(CodePageEditorE2E, ForeignLinesAreKeptByteForByteThroughAMoveAndASave) {
  const std::string lines[] = {
      "\xEF\xBB\xBF"
      "crossfire",                                            // UTF-8 byte-order mark
      "// \xE5\x9C\xB0\xE5\x9B\xBE\xE8\xBD\xAE\xE6\x8D\xA2",  // UTF-8 Chinese comment
      "datacore",
      "de_caf\xE9",                                   // CP1252; a lone lead byte under 932, 936
      "de_\x83\x5C",                                  // CP932, its last byte 0x5C
      "// \xD0\xBA\xD0\xB0\xD1\x80\xD1\x82\xD1\x8B",  // UTF-8 Cyrillic comment
      "stalkyard",
  };
  std::string file;
  for (const std::string& line : lines) file += line + "\r\n";
  const std::string valve = "C:\\SIERRA\\Half-Life\\valve\\", map = MapNameInCodePage();
  ASSERT_TRUE(tools::WriteTextFile(valve + "mapcycle.txt", file));
  ASSERT_TRUE(tools::WriteTextFile(valve + "maps\\" + map + ".bsp", "map"));

  HWND editor = OpenEditor(*app_, main_, "valve");
  ASSERT_NE(editor, nullptr);
  if (GetACP() == 932 || GetACP() == 936) {
    // The CP1252 line cannot be shown: the editor says so once, and that the file keeps it.
    const std::string notice = AnswerBox();
    EXPECT_NE(notice.find("\nline 4\n"), std::string::npos) << notice;
    EXPECT_NE(notice.find("keeps these lines as they are"), std::string::npos) << notice;
  }
  HWND maps = GetDlgItem(editor, R::kLstBSP), rotation = GetDlgItem(editor, R::kLstMap);
  ASSERT_EQ(tools::ListItems(rotation).size(), std::size(lines));
  EXPECT_EQ(tools::ListItems(rotation)[2], "datacore");
  ASSERT_GE(IndexOf(maps, map), 0) << "the map in the code page's letters is not listed";
  tools::SelectListItem(maps, IndexOf(maps, map));
  ASSERT_TRUE(Click(GetDlgItem(editor, R::kCmdMove)));
  EXPECT_EQ(tools::ListItems(rotation).at(0), map);

  tools::Press(GetDlgItem(editor, R::kCmdSave));
  auto saved = app_->WaitForMessageBox();
  ASSERT_TRUE(saved && app_->Dismiss(*saved));
  EXPECT_EQ(saved->text, "Map Saved") << "a box before it, or saving refused";
  EXPECT_TRUE(FileBytes(valve + "mapcycle.txt") == map + "\r\n" + file)
      << "the saved file is not the map's line followed by the old file";
}

}  // namespace
