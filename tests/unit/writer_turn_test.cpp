// One folder, one writer's turn: every spelling of a folder gives the turn's name, and another
// folder another name. (That two launchers wait for each other: writers_e2e_test.cpp.)
#include "platform/writer_turn.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <cctype>
#include <string>

#include "temp_folder.h"

namespace {

std::string Cased(std::string text, int (*convert)(int)) {
  std::ranges::transform(text, text.begin(), [&](char c) { return static_cast<char>(convert(c)); });
  return text;
}

std::string Slashed(std::string text) {
  std::ranges::replace(text, '\\', '/');
  return text;
}

TEST(WriterTurnName, EverySpellingOfAFolderNamesOneTurn) {
  testing_support::TempFolder temp;
  const std::string folder = temp / "Counter-Strike Folder";
  ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr));
  ASSERT_TRUE(CreateDirectoryA((folder + " 2").c_str(), nullptr));
  char shortName[MAX_PATH] = {};
  ASSERT_GT(GetShortPathNameA(folder.c_str(), shortName, MAX_PATH), 0u);
  // Wine gives a long name that is no 8.3 name a short one of its own, as Windows does where
  // the volume keeps them.
  ASSERT_NE(Cased(shortName, toupper), Cased(folder, toupper));

  const std::string name = platform::WriterTurnName(folder);
  for (const std::string& spelling :
       {Cased(folder, toupper), Cased(folder, tolower), folder + "\\", Slashed(folder) + "/",
        folder + "\\.\\", std::string(shortName), Slashed(Cased(shortName, tolower)) + "/"}) {
    EXPECT_EQ(platform::WriterTurnName(spelling), name) << spelling;
  }
  for (const std::string& other : {folder + " 2", temp.path()}) {
    EXPECT_NE(platform::WriterTurnName(other), name) << other;
  }
}

}  // namespace
