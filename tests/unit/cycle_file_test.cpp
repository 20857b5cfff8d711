#include "cycle_editor/cycle_file.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace cycle {
namespace {

using Lines = std::vector<std::string>;

TEST(CycleFileTest, ParseSplitsAtEveryLineEndAndKeepsEveryOtherByte) {
  // Without a final line end, LF then CR as two line ends, blanks, case, BOM and high bytes.
  const std::pair<std::string, Lines> cases[] = {
      {"", {}},
      {"a\r\nb\r\n", {"a", "b"}},
      {"a\r\n\r\nb", {"a", "", "b"}},
      {"a\rb\nc", {"a", "b", "c"}},
      {"a\n\rb", {"a", "", "b"}},
      {"\r\n", {""}},
      {"a\r", {"a"}},
      {"de_dust \r\nDE_Dust\r\nDE_Dust\r\n", {"de_dust ", "DE_Dust", "DE_Dust"}},
      {"\xEF\xBB\xBFmap\xE9\r\n", {"\xEF\xBB\xBFmap\xE9"}}};
  for (const auto& [bytes, lines] : cases) EXPECT_EQ(ParseCycle(bytes), lines) << bytes;
}

TEST(CycleFileTest, FormatEndsEveryEntryWithCrLf) {
  EXPECT_EQ(FormatCycle({}), "");
  EXPECT_EQ(FormatCycle({""}), "\r\n");
  EXPECT_EQ(FormatCycle({"de_dust", "cs_office"}), "de_dust\r\ncs_office\r\n");
}

}  // namespace
}  // namespace cycle
