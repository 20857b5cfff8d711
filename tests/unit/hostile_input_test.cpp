// Input written by other tools, opened in-process from the chooser on the real file system and
// registry: cycle files of every byte, line end and size, odd folder and map names, odd
// install-path values, files that cannot be opened.
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
  std::string saved = "";               // what Save writes back when not the same bytes
  Names left = {};                      // lstBSP after opening, when not empty
  std::string mod = "mod";              // the modification's folder
  Names maps = {"de_dust", "de_nuke"};  // its map files, without ".bsp"
  bool noticed = false;                 // a line the list shows cut: named when opening
};

class HostileCycle : public HostileInput, public ::testing::WithParamInterface<CycleCase> {};

// Listed, opened, saved: the file comes back byte for byte (or in the form the row gives).
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
  const size_t told = c.noticed ? 1 : 0;
  ASSERT_EQ(messages_.shown.size(), told) << messages_.shown.at(0).text;
  if (c.noticed) {
    EXPECT_NE(messages_.shown[0].text.find("\nline 1\n"), std::string::npos);
  }
  ASSERT_TRUE(editor().IsVisible() && !chooser().IsVisible());
  EXPECT_EQ(editor().Text(R::kLabel2),
            "Map Cycle File (" + std::to_string(editor().lstMap().Count()) + " maps)");
  if (!c.left.empty()) {
    EXPECT_EQ(editor().lstBSP().Texts(), c.left);
  }

  editor().cmdSave_Click();
  const std::string bytes = testing_support::FileBytes(path);
  const std::string& expected = c.saved.empty() ? c.cycle : c.saved;
  EXPECT_TRUE(bytes == expected) << "saved " << bytes.size() << " bytes, expected "
                                 << expected.size();
  EXPECT_EQ(messages_.shown.size(), told + (editor().lstMap().Count() ? 1 : 0))
      << "Map Saved or nothing";
}

std::string EveryByteOutsideLineEnds() {
  std::string lines, all;
  for (int b = 1; b <= 0xFF; ++b) {
    if (b == '\r' || b == '\n') continue;
    lines += std::string(1, static_cast<char>(b)) + "\r\n";
    all += static_cast<char>(b);
  }
  return lines + all + "\r\n";
}

std::string ManyLines(int count) {
  std::string lines;
  for (int i = 0; i < count; ++i) lines += "map_" + std::to_string(i) + "\r\n";
  return lines;
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
        CycleCase{"EveryByteButNulCrLf", EveryByteOutsideLineEnds()},
        CycleCase{"FiftyThousandLines", ManyLines(50001)}, CycleCase{"EmptyFileIsLeftAlone", ""},
        // Other line ends come back as CR LF; a lone LF then CR are two ends.
        CycleCase{"LoneCrLoneLfAndLfCr", "a\rb\nc\n\rd", "a\r\nb\r\nc\r\n\r\nd\r\n"},
        CycleCase{"CtrlZIsAnOrdinaryByte", "de_dust\r\n\x1A", "de_dust\r\n\x1A\r\n", {"de_nuke"}},
        CycleCase{"Utf8BomStaysInTheFirstLine",
                  "\xEF\xBB\xBF"
                  "de_dust\r\nde_nuke\r\n",
                  "",
                  {"de_dust"}},
        CycleCase{
            "BlanksInNames", "de dust\r\n", "", {"cs office"}, "my mod", {"de dust", "cs office"}},
        CycleCase{
            "Cp1252Letters", "CAF\xC9\r\n", "", {"\xC6gir"}, "mod\xE9\xF1", {"caf\xE9", "\xC6gir"}},
        // Lines twice, by case, with a trailing blank, blank, of no map file.
        CycleCase{"RotationLinesTakeTheirMapsOut",
                  "cs_italy\r\nDE_NUKE\r\nde_aztec \r\n\r\ncs_office\r\ncs_italy\r\n",
                  "",
                  {"de_aztec", "DE_DUST"},
                  "mod",
                  {"cs_italy", "DE_DUST", "de_aztec", "de_nuke"}},
        CycleCase{"ModNameOf200Characters", "de_dust\r\n", "", {}, std::string(200, 'm')},
        CycleCase{
            "MapNameOf200Characters", k200 + "\r\n", "", {"de_dust"}, "mod", {k200, "de_dust"}},
        // A NUL ends a list entry: the line is named and saved as it is. A UTF-16 file is
        // 8-bit text whose NULs cut every entry short: named, and not saved, since its line
        // ends would become 8-bit CR LF.
        CycleCase{
            "NulEndsTheEntry", std::string("de_\0dust\r\n", 10), "", {}, "mod", {"de_dust"}, true},
        CycleCase{"Utf16FileIsReadAsBytes",
                  Utf16(u"de_dust\r\ncs_office\r\n"),
                  "",
                  {},
                  "mod",
                  {"de_dust"},
                  true}),
    [](const auto& info) { return std::string(info.param.name); });

// The install path as odd registry values: read as text whatever their type, and the chooser
// either reports the pattern it found nothing for or, where the folder exists, lists nothing.
TEST_F(HostileInput, OddInstallPathValuesAreReadAsTextAndReported) {
  const std::string key = "Software\\Valve\\Half-Life\\";
  const DWORD abc = 0x00636261;
  const std::string huge = std::string(kHalfLife) + "\\" + std::string(65536 - 12, 'x');
  const std::string several = std::string(kHalfLife) + std::string("\0other\0", 7);
  struct Value {
    const char* name;
    DWORD type;
    std::string data;
    std::string hlPath;
    bool reported;  // "No files present in: " and the pattern
  };
  const Value values[] = {
      {"number", REG_DWORD, std::string(reinterpret_cast<const char*>(&abc), 4), "abc", true},
      {"unexpanded", REG_EXPAND_SZ, std::string("%SystemRoot%", 13), "%SystemRoot%", true},
      {"64 KB", REG_SZ, huge + '\0', huge, true},
      // The last byte is taken for the terminator, which leaves the existing empty folder.
      {"no terminator", REG_BINARY, "C:\\hostile!", kHalfLife, false},
      // The first string names the existing empty folder.
      {"several strings", REG_MULTI_SZ, several + '\0', several, false},
  };
  for (const Value& value : values) {
    SCOPED_TRACE(value.name);
    ASSERT_TRUE(tools::SetRegistryValue(HKEY_LOCAL_MACHINE, key, "InstallPath", value.type,
                                        value.data, tools::RegistryView::k32Bit));
    messages_.shown.clear();
    program_.Show(app::FormId::kMods);
    EXPECT_TRUE(program_.HLPath == value.hlPath) << program_.HLPath.size() << " characters";
    EXPECT_TRUE(chooser().lstModList().Texts().empty());
    ASSERT_EQ(messages_.shown.size(), value.reported ? 1u : 0u);
    if (value.reported) {
      EXPECT_TRUE(messages_.shown[0].text == "No files present in: " + value.hlPath + "\\*.");
    }
    program_.Unload(app::FormId::kMods);
  }
}

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
