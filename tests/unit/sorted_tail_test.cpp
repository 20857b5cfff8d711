#include "cycle_editor/sorted_tail.h"

#include <gtest/gtest.h>
#include <strings.h>

namespace cycle {
namespace {

int IgnoringCase(const std::string& a, const std::string& b) {
  return strcasecmp(a.c_str(), b.c_str());
}

TEST(SortAppendedTest, PlacesAppendedEntriesAndKeepsEveryFlagWithItsEntry) {
  struct Case {
    const char* name;
    ListState list;
    std::size_t sortedCount;
    ListState expected;
  };
  const Case cases[] = {
      {"nothing appended", {{"a", "c"}, {true, false}}, 2, {{"a", "c"}, {true, false}}},
      {"into an empty list", {{"b", "a"}, {false, false}}, 0, {{"a", "b"}, {false, false}}},
      {"between, before and after",
       {{"b", "d", "e", "a", "c"}, {false, true, false, false, false}},
       3,
       {{"a", "b", "c", "d", "e"}, {false, false, false, true, false}}},
      {"after equal entries, appended ones in their order",
       {{"DUST", "x", "dust", "Dust"}, {true, false, false, false}},
       2,
       {{"DUST", "dust", "Dust", "x"}, {true, false, false, false}}},
  };
  for (const Case& test : cases) {
    SCOPED_TRACE(test.name);
    ListState list = test.list;
    SortAppended(list, test.sortedCount, IgnoringCase);
    EXPECT_EQ(list.texts, test.expected.texts);
    EXPECT_EQ(list.selected, test.expected.selected);
  }
}

}  // namespace
}  // namespace cycle
