// Which listed names count: the wildcard rule of the listings, the order in
// which modification folders are checked, and map names from map file names.
#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "game_files/mod_cycle.h"
#include "mod_chooser/mod_discovery.h"
#include "platform/name_pattern.h"

namespace {

using Names = std::vector<std::string>;

TEST(NameRulesTest, PatternsMatchAsTheListingsDo) {
  const auto upper = [](std::string_view text) {
    std::string result(text);
    for (char& c : result) c = c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
    return result;
  };
  using Case = std::pair<const char*, const char*>;  // a name and a pattern
  for (const auto& [name, pattern] :
       {Case{"cstrike", "*."}, Case{".", "*."}, Case{"..", "*."}, Case{"Valve", "v*."},
        Case{"de_dust.BSP", "*.bsp"}, Case{"MAPCYCLE.TXT", "mapcycle.txt"}, Case{"ab", "a?"},
        Case{"axbxb", "a*b"}, Case{"", "*"}}) {
    EXPECT_TRUE(platform::MatchesNamePattern(name, pattern, upper)) << name << " vs " << pattern;
  }
  for (const auto& [name, pattern] : {Case{"cstrike.old", "*."}, Case{"de_dust.bsp.old", "*.bsp"},
                                      Case{"a", "a?"}, Case{"axbxc", "a*b"}, Case{"a", ""}}) {
    EXPECT_FALSE(platform::MatchesNamePattern(name, pattern, upper)) << name << " vs " << pattern;
  }
}

TEST(NameRulesTest, ModsAreCheckedLastFirstAndKeptInListingOrder) {
  Names asked;
  const Names mods = mod_chooser::KeepModsWithMapCycle({"a", "b", "c", "d"}, [&](const auto& n) {
    asked.push_back(n);
    return n != "c" && n != "a";
  });
  EXPECT_EQ(asked, (Names{"d", "c", "b", "a"}));
  EXPECT_EQ(mods, (Names{"b", "d"}));
  EXPECT_EQ(game_files::CycleFilePath("C:\\HL", "cstrike"), "C:\\HL\\cstrike\\mapcycle.txt");
}

TEST(NameRulesTest, MapNamesDropTheLastFourCharacters) {
  EXPECT_EQ(game_files::MapNamesOf({"de_dust.bsp", "CS_ITALY.BSP", ".bsp", "x.b"}),
            (Names{"de_dust", "CS_ITALY", "", ""}));
  EXPECT_EQ(game_files::MapFilesPattern("C:\\HL", "cstrike"), "C:\\HL\\cstrike\\maps\\*.bsp");
}

}  // namespace
