// Which names below the install folder the mod chooser offers (the pruning of dotted, hidden and
// extensionless names is shown end to end: launcher_e2e_test.cpp).
#include "mod_chooser/mod_discovery.h"

#include <gtest/gtest.h>

#include "support/file_tree.h"
#include "temp_folder.h"

namespace mod_chooser {
namespace {

// "." and ".." are names of the listing like any other (the order is kept: name_rules_test.cpp).
TEST(ChooserDiscovery, OffersDotAndDotDotWhenTheFolderOrTheOneAboveHoldsAMapCycle) {
  testing_support::TempFolder root;
  for (const char* file : {"mapcycle.txt", "hl\\mapcycle.txt", "hl\\cstrike\\mapcycle.txt"})
    ASSERT_TRUE(tools::WriteTextFile(root / file, "x"));
  const Discovery found = DiscoverMods(root / "hl");
  EXPECT_TRUE(found.failure.ok()) << found.failure.Message();
  EXPECT_EQ(found.mods, (std::vector<std::string>{".", "..", "cstrike"}));
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
