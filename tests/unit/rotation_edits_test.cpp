#include "cycle_editor/rotation_edits.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace cycle {
namespace {

using Names = std::vector<std::string>;
using Flags = std::vector<bool>;

std::string AsciiUpper(std::string_view text) {
  std::string upper(text);
  for (char& c : upper) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return upper;
}

TEST(MoveIntoRotationTest, SelectedMapsGoToTopInListOrder) {
  ListState maps{{"de_aztec", "de_dust", "de_nuke", "de_train"}, {false, true, false, true}};
  ListState rotation{{"cs_office", "cs_italy"}, {false, true}};
  MoveIntoRotation(maps, rotation);
  EXPECT_EQ(rotation.texts, (Names{"de_dust", "de_train", "cs_office", "cs_italy"}));
  EXPECT_EQ(rotation.selected, (Flags{false, false, false, true}));
  EXPECT_EQ(maps.texts, (Names{"de_aztec", "de_nuke"}));
  EXPECT_EQ(maps.selected, (Flags{false, false}));

  MoveIntoRotation(maps, rotation);  // nothing selected: nothing moves
  EXPECT_EQ(maps.texts.size(), 2u);
  EXPECT_EQ(rotation.texts.size(), 4u);
}

TEST(RemoveFromRotationTest, SelectedEntriesAreAppendedUnselected) {
  ListState rotation{{"a", "b", "c", "d"}, {true, false, true, false}};
  ListState maps{{"x", "y"}, {true, false}};
  RemoveFromRotation(rotation, maps);
  EXPECT_EQ(rotation.texts, (Names{"b", "d"}));
  EXPECT_EQ(rotation.selected, (Flags{false, false}));
  EXPECT_EQ(maps.texts, (Names{"x", "y", "a", "c"}));
  EXPECT_EQ(maps.selected, (Flags{true, false, false, false}));
}

struct MoveCase {
  const char* name;
  bool up;
  Flags selectedBefore;
  Names textsAfter;
  Flags selectedAfter;
  std::optional<std::size_t> result;
};

class MoveTest : public testing::TestWithParam<MoveCase> {};

TEST_P(MoveTest, MovesFirstSelectedEntryOnly) {
  const MoveCase& c = GetParam();
  ListState rotation{{"a", "b", "c", "d"}, c.selectedBefore};
  EXPECT_EQ(c.up ? MoveUp(rotation) : MoveDown(rotation), c.result);
  EXPECT_EQ(rotation.texts, c.textsAfter);
  EXPECT_EQ(rotation.selected, c.selectedAfter);
}

const Flags kNone{false, false, false, false};
const Names kUnmoved{"a", "b", "c", "d"};

INSTANTIATE_TEST_SUITE_P(
    Cases, MoveTest,
    testing::Values(MoveCase{"UpNothingSelected", true, kNone, kUnmoved, kNone, std::nullopt},
                    MoveCase{"UpTopOnly",
                             true,
                             {true, false, false, false},
                             kUnmoved,
                             {true, false, false, false},
                             std::nullopt},
                    MoveCase{"UpSkipsTop",
                             true,
                             {true, false, false, true},
                             {"a", "b", "d", "c"},
                             {false, false, true, false},
                             2},
                    MoveCase{"UpFirstOfTwo",
                             true,
                             {false, true, true, false},
                             {"b", "a", "c", "d"},
                             {true, false, false, false},
                             0},
                    MoveCase{"DownNothingSelected", false, kNone, kUnmoved, kNone, std::nullopt},
                    MoveCase{"DownBottomOnly",
                             false,
                             {false, false, false, true},
                             kUnmoved,
                             {false, false, false, true},
                             std::nullopt},
                    MoveCase{"DownFirstOfTwo",
                             false,
                             {false, true, true, false},
                             {"a", "c", "b", "d"},
                             {false, false, true, false},
                             2},
                    MoveCase{"DownSkipsBottom",
                             false,
                             {false, true, false, true},
                             {"a", "c", "b", "d"},
                             {false, false, true, false},
                             2}),
    [](const testing::TestParamInfo<MoveCase>& info) { return info.param.name; });

TEST(MapsNotInCycleTest, ComparesWholeNamesIgnoringCase) {
  const Names maps{"de_nuke", "de_dust", "cs_office", "de_aztec", "de_train"};
  const Names cycleLines{"DE_NUKE", "de_dust ", "cs_office", "cs_office", "de_aztec.bsp", ""};
  EXPECT_EQ(MapsNotInCycle(maps, cycleLines, AsciiUpper),
            (Names{"de_dust", "de_aztec", "de_train"}));
  EXPECT_EQ(MapsNotInCycle(maps, {}, AsciiUpper), maps);
}

TEST(RotationEditsTest, LargeListsKeepEveryEntry) {
  constexpr std::size_t kCount = 4 * 32767;
  ListState maps;
  ListState rotation;
  for (std::size_t i = 0; i < kCount; ++i) {
    maps.texts.push_back("map" + std::to_string(i));
    maps.selected.push_back(i % 2 == 0);
  }
  MoveIntoRotation(maps, rotation);
  rotation.selected.assign(rotation.texts.size(), true);
  RemoveFromRotation(rotation, maps);
  const Names remaining = MapsNotInCycle(maps.texts, maps.texts, AsciiUpper);
  EXPECT_EQ(maps.texts.size(), kCount);
  EXPECT_TRUE(rotation.texts.empty());
  EXPECT_TRUE(remaining.empty());
}

}  // namespace
}  // namespace cycle
