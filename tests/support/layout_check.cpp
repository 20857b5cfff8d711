#include "layout_check.h"

#include <gtest/gtest.h>

#include <vector>

namespace testing_support {

void ExpectLayout(HWND form, LONG width, LONG height, std::span<const TwipsBox> boxes) {
  RECT r;
  GetClientRect(form, &r);
  EXPECT_EQ((std::pair{r.right, r.bottom}), (std::pair{width, height}));
  for (bool resized : {false, true}) {
    if (resized) SetWindowPos(form, nullptr, 0, 0, 900, 700, SWP_NOMOVE | SWP_NOZORDER);
    for (const TwipsBox& box : boxes) {
      GetWindowRect(GetDlgItem(form, box.id), &r);
      MapWindowPoints(nullptr, form, reinterpret_cast<POINT*>(&r), 2);
      EXPECT_EQ(
          (std::vector<LONG>{box.id, r.left, r.top, r.right - r.left, r.bottom - r.top}),
          (std::vector<LONG>{box.id, box.left / 15, box.top / 15, box.width / 15, box.height / 15}))
          << (resized ? "after resizing" : "");
    }
  }
}

}  // namespace testing_support
