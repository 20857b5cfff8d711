// The main window's words for what a switch did: each file named, near misses with the name to
// rename them to, and the reasons the system gives.
#include "app/launcher_messages.h"

#include <gtest/gtest.h>
#include <windows.h>

namespace {

using app::SwitchFailureText;
using game_files::SwitchOutcome;
using game_files::SwitchResult;

TEST(LauncherMessages, MissingFilesAreListedWithTheirNearMissesAndWhyExplorerHidThem) {
  SwitchOutcome outcome;
  outcome.result = SwitchResult::kSourcesMissing;
  outcome.missing = {{"C:\\g\\cstrike\\mapcycle.nnb.txt", {"mapcycle.nnb.txt.txt"}},
                     {"C:\\g\\cstrike\\bot.cfg.nnb", {}}};
  const std::string text = SwitchFailureText(outcome, "NNBot");
  EXPECT_TRUE(text.starts_with(
      "The NNBot profile was not switched because these prepared files are missing:\n\n"
      "C:\\g\\cstrike\\mapcycle.nnb.txt\n"
      "    there is mapcycle.nnb.txt.txt: rename it to mapcycle.nnb.txt\n"
      "C:\\g\\cstrike\\bot.cfg.nnb\n\nExplorer hides extensions"))
      << text;
  EXPECT_TRUE(text.ends_with("\n\nNo file was changed.")) << text;
  outcome.missing[0].nearMisses.clear();
  EXPECT_EQ(SwitchFailureText(outcome, "NNBot").find("Explorer"), std::string::npos);
}

TEST(LauncherMessages, FilesThatStopTheSwitchAreNamedWithTheSystemsReason) {
  SwitchOutcome readOnly;
  readOnly.result = SwitchResult::kReadOnly;
  readOnly.readOnly = {"C:\\g\\cstrike\\bot.cfg", "C:\\g\\cstrike\\liblist.gam"};
  EXPECT_NE(SwitchFailureText(readOnly, "NNBot")
                .find("read-only:\n\nC:\\g\\cstrike\\bot.cfg\nC:\\g\\cstrike\\liblist.gam\n"),
            std::string::npos);
  SwitchOutcome held;
  held.result = SwitchResult::kHeldOpen;
  held.heldOpen = {{"C:\\g\\cstrike\\liblist.gam", ERROR_SHARING_VIOLATION}};
  EXPECT_NE(SwitchFailureText(held, "NNBot")
                .find("\n\"C:\\g\\cstrike\\liblist.gam\": " +
                      platform::SystemErrorText(ERROR_SHARING_VIOLATION) + "\n"),
            std::string::npos);
  SwitchOutcome halfway;
  halfway.result = SwitchResult::kLeftHalfway;
  halfway.error = platform::Status::Failed("Could not replace \"b\"", ERROR_ACCESS_DENIED);
  halfway.undoError = platform::Status::Failed("Could not replace \"a\"", ERROR_ACCESS_DENIED);
  halfway.fresh = {"a"};
  halfway.removed = {"c"};
  const std::string text = SwitchFailureText(halfway, "NNBot");
  for (const char* part : {"Could not replace \"b\".", "Could not replace \"a\".",
                           "These files are the NNBot profile's:\na\n",
                           "These files were removed:\nc\n", "Every other file is as it was."}) {
    EXPECT_NE(text.find(part), std::string::npos) << part << " in:\n" << text;
  }
}

}  // namespace
