// Which names below the install folder the mod chooser offers.
#include "mod_chooser/mod_discovery.h"

#include <gtest/gtest.h>
#include <windows.h>

#include "support/file_tree.h"
#include "temp_folder.h"

namespace mod_chooser {
namespace {

using Names = std::vector<std::string>;
using testing_support::TempFolder;

struct Entry {
  const char* path;  // relative to the install folder; a trailing "\" makes a folder
  DWORD attributes = 0;
};

void Build(const std::string& root, const std::vector<Entry>& entries) {
  for (const Entry& entry : entries) {
    std::string path = root + "\\" + entry.path;
    if (path.back() == '\\') {
      path.pop_back();
      ASSERT_TRUE(tools::MakeFolders(path)) << path;
    } else {
      ASSERT_TRUE(tools::WriteTextFile(path, "de_dust\r\n")) << path;
    }
    if (entry.attributes) {
      ASSERT_TRUE(SetFileAttributesA(path.c_str(), entry.attributes)) << path;
    }
  }
}

struct Case {
  const char* name;
  std::vector<Entry> entries;
  Names mods;
  size_t listed;
};

TEST(ChooserDiscovery, KeepsTheNamesWhoseFolderHoldsAnOrdinaryMapCycle) {
  const Case cases[] = {
      {"only folders with a rotation, in listing order",
       {{"valve\\mapcycle.txt"}, {"dod\\"}, {"cstrike\\mapcycle.txt"}, {"ricochet\\maps\\"}},
       {"cstrike", "valve"},
       4 + 2},
      {"second and fourth of five lack the file",
       {{"a1\\mapcycle.txt"}, {"a2\\"}, {"a3\\mapcycle.txt"}, {"a4\\"}, {"a5\\mapcycle.txt"}},
       {"a1", "a3", "a5"},
       5 + 2},
      {"letter case is ignored", {{"Gearbox\\MapCycle.TXT"}}, {"Gearbox"}, 1 + 2},
      {"a dotted folder is never listed", {{"tfc.old\\mapcycle.txt"}}, {}, 2},
      {"a file without an extension is listed, then pruned",
       {{"readme"}, {"notes.txt"}},
       {},
       1 + 2},
      {"hidden, system or folder-shaped rotations do not count",
       {{"hid\\mapcycle.txt", FILE_ATTRIBUTE_HIDDEN},
        {"sys\\mapcycle.txt", FILE_ATTRIBUTE_SYSTEM},
        {"dir\\mapcycle.txt\\"},
        {"ok\\mapcycle.txt"}},
       {"ok"},
       4 + 2},
      {"a hidden folder is not listed",
       {{"secret\\mapcycle.txt"}, {"secret\\", FILE_ATTRIBUTE_HIDDEN}},
       {},
       2},
      {"\".\" stays when the install folder holds the file itself",
       {{"mapcycle.txt"}, {"valve\\mapcycle.txt"}},
       {".", "valve"},
       1 + 2},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TempFolder install;
    Build(install.path(), c.entries);
    Discovery found = DiscoverMods(install.path());
    EXPECT_TRUE(found.failure.ok()) << found.failure.Message();
    EXPECT_EQ(found.mods, c.mods);
    EXPECT_EQ(found.listed, c.listed);  // "." and ".." are listed too
  }
}

TEST(ChooserDiscovery, ParentStaysWhenTheFolderAboveHoldsTheFile) {
  TempFolder root;
  Build(root.path(), {{"mapcycle.txt"}, {"hl\\cstrike\\mapcycle.txt"}});
  EXPECT_EQ(DiscoverMods(root / "hl").mods, (Names{"..", "cstrike"}));
}

TEST(ChooserDiscovery, NothingListedIsNotAFailure) {
  TempFolder empty;
  for (const std::string& path : {empty / "missing", std::string("No Name")}) {
    SCOPED_TRACE(path);
    Discovery found = DiscoverMods(path);
    EXPECT_TRUE(found.failure.ok());
    EXPECT_EQ(found.listed, 0u);
    EXPECT_TRUE(found.mods.empty());
  }
  EXPECT_EQ(ModListingPattern("No Name"), "No Name\\*.");
}

TEST(ChooserDiscovery, AListingThatFailsOutrightSaysWhereAndWhy) {
  Discovery found = DiscoverMods("C:\\Games<1>");
  ASSERT_FALSE(found.failure.ok());
  EXPECT_NE(found.failure.Message().find("C:\\Games<1>\\*."), std::string::npos)
      << found.failure.Message();
  EXPECT_NE(found.failure.Message().find(platform::SystemErrorText(found.failure.code())),
            std::string::npos);
  EXPECT_TRUE(found.mods.empty());
}

}  // namespace
}  // namespace mod_chooser
