// Whole-file replacement while another program keeps reading the file every
// few milliseconds, as a virus scanner, an indexer or the game may: the
// replacement must not fail because of the reader, and every read sees the old
// or the new file whole.
#include "platform/files.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <atomic>
#include <string>
#include <thread>

#include "temp_folder.h"

namespace {

TEST(FilesTest, ReplacingSucceedsWhileTheFileIsReadAgainAndAgain) {
  testing_support::TempFolder folder;
  const std::string path = folder / "liblist.gam";
  const std::string contents[] = {std::string(64 << 10, 'a'), std::string(96 << 10, 'b')};
  ASSERT_TRUE(platform::WriteFileAtomic(path, contents[0]).ok());

  std::atomic<bool> writing = true;
  int reads = 0, torn = 0;
  std::thread reader([&] {
    std::string bytes;
    while (writing) {
      if (!platform::ReadWholeFile(path, bytes).ok()) continue;
      ++reads;
      if (bytes != contents[0] && bytes != contents[1]) ++torn;
      Sleep(2);
    }
  });
  // Written in place and copied from a prepared file, as saves and profile switches do.
  const std::string prepared = folder / "liblist.prepared";
  ASSERT_TRUE(platform::WriteFileAtomic(prepared, contents[1]).ok());
  int failed = 0;
  std::string firstFailure;
  for (int i = 1; i <= 300; ++i) {
    platform::Status replaced = i % 2 ? platform::ReplaceWithCopy(prepared, path)
                                      : platform::WriteFileAtomic(path, contents[0]);
    if (!replaced.ok() && !failed++) firstFailure = replaced.Message();
  }
  writing = false;
  reader.join();
  EXPECT_EQ(failed, 0) << "of 300 replacements; the first: " << firstFailure;
  EXPECT_GT(reads, 0);
  EXPECT_EQ(torn, 0) << "of " << reads << " reads";
}

}  // namespace
