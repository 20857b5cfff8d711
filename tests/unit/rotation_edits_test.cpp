// Moving, removing and reordering are shown on the editor window. Here: which
// maps the editor lists beside a rotation read from the cycle file.
#include "cycle_editor/rotation_edits.h"

#include <gtest/gtest.h>

#include "platform/text.h"

namespace {

using Names = std::vector<std::string>;

TEST(MapsNotInCycleTest, LeavesOutMapsWhoseWholeNameIsALineIgnoringCase) {
  const auto upper = [](std::string_view text) { return platform::UpperAnsi(text); };
  const Names maps{"de_nuke", "de_dust", "cs_office", "de_aztec", "de_train"};
  // A trailing blank or an extension makes another name; duplicates and empty
  // lines change nothing.
  const Names lines{"DE_NUKE", "de_dust ", "cs_office", "cs_office", "de_aztec.bsp", ""};
  EXPECT_EQ(cycle::MapsNotInCycle(maps, lines, upper), (Names{"de_dust", "de_aztec", "de_train"}));
  EXPECT_EQ(cycle::MapsNotInCycle(maps, {}, upper), maps);
}

}  // namespace
