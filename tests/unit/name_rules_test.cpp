// Which listed names count: the wildcard rule of the listings, the order in
// which modification folders are checked, and map names from map file names.
#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

#include "cycle_editor/mod_cycle.h"
#include "mod_chooser/mod_discovery.h"
#include "platform/name_pattern.h"

namespace {

using Names = std::vector<std::string>;

std::string AsciiUpper(std::string_view text) {
  std::string upper(text);
  for (char& c : upper) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return upper;
}

TEST(NameRulesTest, PatternsMatchAsTheListingsDo) {
  const struct {
    const char* name;
    const char* pattern;
    bool matches;
  } cases[] = {
      {"cstrike", "*.", true},
      {".", "*.", true},
      {"..", "*.", true},
      {"cstrike.old", "*.", false},
      {"Valve", "v*.", true},
      {"de_dust.BSP", "*.bsp", true},
      {"de_dust.bsp.old", "*.bsp", false},
      {"MAPCYCLE.TXT", "mapcycle.txt", true},
      {"ab", "a?", true},
      {"a", "a?", false},
      {"axbxb", "a*b", true},
      {"axbxc", "a*b", false},
      {"", "*", true},
      {"a", "", false},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(platform::MatchesNamePattern(c.name, c.pattern, AsciiUpper), c.matches)
        << c.name << " against " << c.pattern;
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
  EXPECT_EQ(mod_chooser::MapCyclePathOf("C:\\HL", "cstrike"), "C:\\HL\\cstrike\\mapcycle.txt");
}

TEST(NameRulesTest, MapNamesDropTheLastFourCharacters) {
  EXPECT_EQ(cycle_editor::MapNamesOf({"de_dust.bsp", "CS_ITALY.BSP", ".bsp", "x.b"}),
            (Names{"de_dust", "CS_ITALY", "", ""}));
  EXPECT_EQ(cycle_editor::MapFilesPattern("C:\\HL", "cstrike"), "C:\\HL\\cstrike\\maps\\*.bsp");
}

}  // namespace
