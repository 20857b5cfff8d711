#include "cycle_editor/cycle_file.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

namespace cycle {
namespace {

struct ParseCase {
  const char* name;
  std::string bytes;
  std::vector<std::string> lines;
};

// Names the case in test listings instead of dumping its bytes.
void PrintTo(const ParseCase& c, std::ostream* os) { *os << c.name; }

class ParseCycleTest : public testing::TestWithParam<ParseCase> {};

TEST_P(ParseCycleTest, SplitsIntoLines) {
  EXPECT_EQ(ParseCycle(GetParam().bytes), GetParam().lines);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ParseCycleTest,
    testing::Values(ParseCase{"Empty", "", {}}, ParseCase{"CrLf", "a\r\nb\r\n", {"a", "b"}},
                    ParseCase{"NoFinalTerminator", "a\r\n\r\nb", {"a", "", "b"}},
                    ParseCase{"MixedTerminators", "a\rb\nc", {"a", "b", "c"}},
                    ParseCase{"LfCrIsTwoLines", "a\n\rb", {"a", "", "b"}},
                    ParseCase{"OnlyCrLf", "\r\n", {""}}, ParseCase{"LoneCrAtEnd", "a\r", {"a"}},
                    ParseCase{"KeepsBlanksCaseAndDuplicates",
                              "de_dust \r\nDE_Dust\r\nDE_Dust\r\n",
                              {"de_dust ", "DE_Dust", "DE_Dust"}},
                    ParseCase{"PassesHighBytesAndBomThrough",
                              "\xEF\xBB\xBF"
                              "caf\xE9\r\n",
                              {"\xEF\xBB\xBF"
                               "caf\xE9"}}),
    [](const testing::TestParamInfo<ParseCase>& info) { return info.param.name; });

TEST(FormatCycleTest, EndsEveryEntryWithCrLf) {
  EXPECT_EQ(FormatCycle({}), "");
  const std::string text = FormatCycle({"de_dust", "cs_office"});
  EXPECT_EQ(text, "de_dust\r\ncs_office\r\n");
  EXPECT_EQ(text.size(), 20u);
  EXPECT_EQ(FormatCycle({""}), "\r\n");
}

TEST(CycleFileTest, RoundTripsAndHandlesFilesAboveTheListLimit) {
  constexpr int kEntries = 4 * 32767;
  std::vector<std::string> entries;
  for (int i = 0; i < kEntries; ++i) entries.push_back("de_map_" + std::to_string(i));
  const std::vector<std::string> parsed = ParseCycle(FormatCycle(entries));
  EXPECT_EQ(parsed, entries);
}

}  // namespace
}  // namespace cycle
