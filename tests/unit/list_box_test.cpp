// The list wrapper on a sorted list: the order given, and the entries it shows otherwise (its
// selection in both list kinds: the editor and chooser tests).
#include <gtest/gtest.h>
#include <windows.h>

#include "platform/handles.h"
#include "platform/list_box.h"

namespace {

// A list control that keeps at most 300 characters of an entry, as one with a limit would.
WNDPROC listProc = nullptr;
LRESULT CALLBACK CuttingList(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  std::wstring cut;
  if (message == LB_INSERTSTRING && lParam) {
    cut = reinterpret_cast<const wchar_t*>(lParam);
    if (cut.size() > 300) cut.resize(300);
    lParam = reinterpret_cast<LPARAM>(cut.c_str());
  }
  return CallWindowProcW(listProc, window, message, wParam, lParam);
}

// Runs under every code page (test.sh): the entries shown other than they are, in a sorted
// list that keeps the order given.
TEST(CodePageListBoxTest, RefillKeepsTheOrderGivenAndNamesWhatItShowsOtherwise) {
  platform::UniqueWindow window(CreateWindowExW(0, L"LISTBOX", L"",
                                                WS_POPUP | LBS_HASSTRINGS | LBS_SORT, 0, 0, 100,
                                                100, nullptr, nullptr, nullptr, nullptr));
  ASSERT_TRUE(window);
  platform::ListBox list(window.get());
  const std::string longLine(5000, 'x');
  const std::vector<std::string> texts = {"b", "A", std::string("x\0y", 3), "caf\xE9", longLine};
  const bool doubleByte = GetACP() == 932 || GetACP() == 936;  // 0xE9 there is a lead byte
  const std::vector<size_t> otherwise =
      doubleByte ? std::vector<size_t>{2, 3} : std::vector<size_t>{2};
  EXPECT_EQ(list.Refill(texts), otherwise);
  EXPECT_EQ(list.Text(0), "b");
  EXPECT_EQ(list.Text(4), longLine);

  listProc = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrW(window.get(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&CuttingList)));
  EXPECT_EQ(list.Refill({"short", longLine}), std::vector<size_t>{1});
}

// A list that refuses an entry (out of memory): the refill and the move say so rather than leave
// the list shorter than its model.
LRESULT CALLBACK FullList(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == LB_INSERTSTRING) return LB_ERRSPACE;
  return CallWindowProcW(listProc, window, message, wParam, lParam);
}

TEST(ListBoxTest, AnEntryTheListRefusesIsReported) {
  platform::UniqueWindow window(CreateWindowExW(0, L"LISTBOX", L"", WS_POPUP | LBS_HASSTRINGS, 0, 0,
                                                100, 100, nullptr, nullptr, nullptr, nullptr));
  platform::ListBox list(window.get());
  list.Refill({"a", "b"});
  listProc = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrW(window.get(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&FullList)));
  EXPECT_THROW(list.MoveEntry(1, 0), platform::ListBox::ListFull);
  EXPECT_THROW(list.Refill({"a", "b"}), platform::ListBox::ListFull);
}

}  // namespace
