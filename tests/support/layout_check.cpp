#include "layout_check.h"

#include <gtest/gtest.h>

#include <vector>

namespace testing_support {

void ExpectClientSize(HWND form, LONG width, LONG height) {
  RECT client;
  GetClientRect(form, &client);
  EXPECT_EQ((std::pair{client.right, client.bottom}), (std::pair{width, height}));
}

void ExpectTwipsLayout(HWND form, std::initializer_list<TwipsBox> boxes) {
  RECT r;
  for (const TwipsBox& box : boxes) {
    GetWindowRect(GetDlgItem(form, box.id), &r);
    MapWindowPoints(nullptr, form, reinterpret_cast<POINT*>(&r), 2);
    EXPECT_EQ(
        (std::vector<LONG>{box.id, r.left, r.top, r.right - r.left, r.bottom - r.top}),
        (std::vector<LONG>{box.id, box.left / 15, box.top / 15, box.width / 15, box.height / 15}));
  }
}

}  // namespace testing_support
