// Which names below the install folder the mod chooser offers (the pruning of dotted, hidden and
// extensionless names is shown end to end: launcher_e2e_test.cpp).
#include "mod_chooser/mod_discovery.h"

#include <gtest/gtest.h>

#include "support/file_tree.h"
#include "temp_folder.h"

namespace mod_chooser {
namespace {

using Names = std::vector<std::string>;

// Files below a fresh folder, and the names offered for its "hl" folder: "." and ".." are pruned
// like any name unless "hl" or the folder above holds a mapcycle.txt.
TEST(ChooserDiscovery, KeepsInListingOrderTheNamesWhoseFolderHoldsAMapCycle) {
  const std::pair<Names, Names> cases[] = {
      {{"hl\\1\\mapcycle.txt", "hl\\2\\x", "hl\\3\\mapcycle.txt", "hl\\4\\x",
        "hl\\5\\mapcycle.txt"},
       {"1", "3", "5"}},
      {{"mapcycle.txt", "hl\\mapcycle.txt", "hl\\cstrike\\mapcycle.txt"}, {".", "..", "cstrike"}},
  };
  for (const auto& [files, mods] : cases) {
    testing_support::TempFolder root;
    for (const std::string& file : files) ASSERT_TRUE(tools::WriteTextFile(root / file, "x"));
    const Discovery found = DiscoverMods(root / "hl");
    EXPECT_TRUE(found.failure.ok()) << found.failure.Message();
    EXPECT_EQ(found.mods, mods);
  }
}

TEST(ChooserDiscovery, AListingThatFailsOutrightSaysWhereAndWhy) {
  const Discovery found = DiscoverMods("C:\\Games<1>");
  ASSERT_FALSE(found.failure.ok());
  const std::string message = found.failure.Message();
  EXPECT_NE(message.find("C:\\Games<1>\\*."), std::string::npos) << message;
  EXPECT_NE(message.find(platform::SystemErrorText(found.failure.code())), std::string::npos);
}

}  // namespace
}  // namespace mod_chooser
