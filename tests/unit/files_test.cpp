// Whole-file replacement and copies: another program holding the file for a moment, as a virus
// scanner, an indexer or the game may, is waited out. (That no file is ever seen cut short: the
// kill tests of fault_e2e_test.cpp.)
#include "platform/files.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "temp_folder.h"

namespace {

// A program that holds the file open without sharing for a moment (0.1 s) is waited out, by a
// replacement and by a delete.
TEST(FilesTest, ReplacingOrDeletingWaitsOutAProgramHoldingTheFileForAMoment) {
  testing_support::TempFolder folder;
  const std::string path = folder / "liblist.gam";
  for (bool deleting : {false, true}) {
    SCOPED_TRACE(deleting ? "delete" : "replace");
    ASSERT_TRUE(platform::ReplaceWithBytes(path, "old", path + platform::kSavingSuffix).ok());
    HANDLE held = CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    auto closeSoon = [held] {
      Sleep(100);
      CloseHandle(held);
    };
    platform::UniqueHandle closer = testing_support::StartThread(closeSoon);
    const platform::Status done =
        deleting ? platform::RemoveFile(path)
                 : platform::ReplaceWithBytes(path, "new", path + platform::kSavingSuffix);
    WaitForSingleObject(closer.get(), INFINITE);
    EXPECT_TRUE(done.ok()) << done.Message();
    EXPECT_EQ(testing_support::FileBytes(path), deleting ? "(unreadable)" : "new");
  }
}

// A prepared copy longer than the copy's 1 MiB chunks is copied byte for byte and keeps its time of
// last change, as CopyFile keeps it.
TEST(FilesTest, ACopyHoldsEveryByteAndTheTimeOfLastChangeOfItsSource) {
  testing_support::TempFolder folder;
  const std::string prepared = folder / "de_dust.wpt.nnb", live = folder / "de_dust.wpt";
  std::string bytes;
  for (int i = 0; bytes.size() < (3u << 19); ++i) bytes += std::to_string(i) + " ";
  ASSERT_TRUE(platform::WriteNewFile(prepared, bytes).ok());
  FILETIME changed{0, 30000000}, copied{};
  ASSERT_TRUE(SetFileTime(testing_support::HoldOpen(prepared, GENERIC_WRITE).get(), nullptr,
                          nullptr, &changed));
  ASSERT_TRUE(platform::CopyToNewFile(prepared, live).ok());
  EXPECT_TRUE(testing_support::FileBytes(live) == bytes);
  ASSERT_TRUE(GetFileTime(testing_support::HoldOpen(live).get(), nullptr, nullptr, &copied));
  EXPECT_EQ(CompareFileTime(&copied, &changed), 0);
}

}  // namespace
