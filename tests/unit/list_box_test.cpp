// The list wrapper keeps one contract for single- and multiple-selection lists.
#include <gtest/gtest.h>
#include <windows.h>

#include "platform/handles.h"
#include "platform/list_box.h"

namespace {

TEST(ListBoxTest, SelectingAndClearingReadBackAlikeInSingleAndExtendedLists) {
  for (DWORD style : {DWORD{0}, DWORD{LBS_EXTENDEDSEL}}) {
    SCOPED_TRACE(style ? "extended" : "single");
    platform::UniqueWindow window(CreateWindowExA(0, "LISTBOX", "",
                                                  WS_POPUP | LBS_HASSTRINGS | style, 0, 0, 100, 100,
                                                  nullptr, nullptr, nullptr, nullptr));
    ASSERT_TRUE(window);
    platform::ListBox list(window.get());
    list.Refill({"a", "b", "c"});
    EXPECT_EQ(list.SelectedCount(), 0);
    list.SetSelected(1, true);
    list.SetCurrent(1);
    EXPECT_EQ(list.Selection(), std::vector<bool>({false, true, false}));
    EXPECT_EQ(list.SelectedCount(), 1);
    EXPECT_EQ(list.Current(), 1);
    list.SetSelected(1, false);
    EXPECT_EQ(list.Selection(), std::vector<bool>(3, false));
    EXPECT_EQ(list.SelectedCount(), 0);
  }
}

}  // namespace
