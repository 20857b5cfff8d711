#include "app/launcher_messages.h"

#include "platform/files.h"
#include "platform/message_text.h"
#include "platform/path.h"
#include "platform/text.h"

namespace app {
namespace {

using game_files::SwitchResult;

constexpr char kNoFileChanged[] = "\n\nNo file was changed.";

std::string NotSwitched(const std::string& profile) {
  return "The " + profile + " profile was not switched";
}

// The end of the message of a switch that failed without changing anything.
std::string NothingChanged(const std::string& profile) {
  return "\n\n" + NotSwitched(profile) + "." + kNoFileChanged;
}

std::string WithReasons(const std::vector<game_files::FileError>& files) {
  std::vector<std::string> lines;
  for (const auto& file : files) {
    lines.push_back(platform::Quoted(file.path) + ": " + platform::SystemErrorText(file.code));
  }
  return platform::LinesOf(lines);
}

// One line per missing file, each near miss on its own indented line with the
// name to rename it to; then, when there is any, how Explorer comes to hide
// such an extension.
std::string MissingWithNearMisses(const std::vector<game_files::MissingFile>& missing) {
  std::string text;
  bool anyNearMiss = false;
  for (const game_files::MissingFile& file : missing) {
    text += "\n" + file.path;
    const std::string name =
        file.path.substr(platform::LastSeparator(file.path, platform::AnsiLeadByte) + 1);
    for (const std::string& nearMiss : file.nearMisses) {
      text += "\n    there is " + nearMiss + ": rename it to " + name;
      anyNearMiss = true;
    }
  }
  if (anyNearMiss) {
    text +=
        "\n\nExplorer hides extensions such as .txt, so a file renamed there may end in one "
        "more than it shows. To see them, tick File name extensions in Explorer's View tab "
        "(in Windows 11 the View menu, under Show), or untick \"Hide extensions for known file "
        "types\" in Folder Options, View.";
  }
  return text;
}

// What a failed replacement left when undoing it failed too.
std::string HalfwayText(const game_files::SwitchOutcome& outcome, const std::string& profile) {
  std::string text = outcome.error.Message() + "\n\n" + NotSwitched(profile) +
                     ", and putting the files back failed too:\n\n" + outcome.undoError.Message() +
                     "\n";
  if (!outcome.fresh.empty()) {
    text += "\nThese files are the " + profile + " profile's:" + platform::LinesOf(outcome.fresh) +
            "\n";
  }
  if (!outcome.removed.empty()) {
    text += "\nThese files were removed:" + platform::LinesOf(outcome.removed) + "\n";
  }
  return text +
         "\nEvery other file is as it was. The launcher puts these back the next time it starts, "
         "switches or saves in this folder: close the program that holds them first.";
}

}  // namespace

std::string SwitchFailureText(const game_files::SwitchOutcome& outcome,
                              const std::string& profile) {
  switch (outcome.result) {
    case SwitchResult::kSwitched:
      return {};
    case SwitchResult::kGameRunning:
      return NotSwitched(profile) + " because Counter-Strike is running from " +
             platform::Quoted(platform::FolderOf(outcome.folder)) +
             ": the game keeps the bot it has loaded, and would read the new bot's files at its "
             "next map.\n\nQuit the game, then press the button again." +
             kNoFileChanged;
    case SwitchResult::kFolderUnusable:
      return outcome.error.Message() + kNoFileChanged;
    case SwitchResult::kPutBackFailed:
      return platform::PutBackFailedText(outcome.folder, outcome.error) + NothingChanged(profile);
    case SwitchResult::kTurnBusy:
    case SwitchResult::kListingFailed:
    case SwitchResult::kNotChanged:
      return outcome.error.Message() + NothingChanged(profile);
    case SwitchResult::kSourcesMissing:
      return NotSwitched(profile) + " because these prepared files are missing:\n" +
             MissingWithNearMisses(outcome.missing) + kNoFileChanged;
    case SwitchResult::kSourcesUnreadable:
      return NotSwitched(profile) + " because these prepared files cannot be read:\n" +
             WithReasons(outcome.unreadable) +
             "\n\nClose the program that has them open, or make them readable for your user "
             "account, and press the button again." +
             kNoFileChanged;
    case SwitchResult::kReadOnly:
      return NotSwitched(profile) + " because these files are read-only:\n" +
             platform::LinesOf(outcome.readOnly) +
             "\n\nTo clear the attribute, right-click each file, choose Properties and "
             "uncheck Read-only, or type attrib -r followed by the file's name in a command "
             "prompt." +
             kNoFileChanged;
    case SwitchResult::kHeldOpen:
      return NotSwitched(profile) + " because another program has these files open:\n" +
             WithReasons(outcome.heldOpen) +
             "\n\nClose the program that has them open (the game, a text editor) and press "
             "the button again." +
             kNoFileChanged;
    case SwitchResult::kLeftHalfway:
      return HalfwayText(outcome, profile);
  }
  return {};
}

std::string PutBackText(const game_files::PutBack& putBack, const std::string& profile) {
  return "The last switch of the bot profile files in " + platform::Quoted(putBack.folder) +
         " did not finish: the launcher was stopped or the computer lost power while it "
         "worked.\n\nThese files were put back as they were before that switch:\n" +
         platform::LinesOf(putBack.files) +
         (profile.empty() ? "\n\nPress the bot profile's button again to switch to it."
                          : "\n\nThe switch to the " + profile + " profile now goes on.");
}

std::string PutBackAtStartFailureText(const std::string& folder, const platform::Status& error) {
  return platform::PutBackFailedText(folder, error) +
         "\n\nClose any program that may have these files open (the game, a text editor): the "
         "launcher tries again before its next switch or save there.";
}

std::string ProfileTipText(game_files::ProfileId profile, const game_files::GameState& state,
                           const std::string& folder) {
  const game_files::ProfileState& files = state.profiles[static_cast<size_t>(profile)];
  std::string text = profile == game_files::ProfileId::kRestore
                         ? "Restores the on-line files: Counter-Strike as it was before any bot."
                         : "Switches the game to the " +
                               std::string(game_files::ProfileFor(profile).name) + " bot.";
  if (files.live) text += "\nThe game runs this profile now.";
  if (state.gameRunning) {
    return text + "\n\nCounter-Strike is running: quit it before switching.";
  }
  if (files.ready()) return text + "\n\nReady: its prepared files are all there.";
  text += "\n\nNot ready. In " + platform::Quoted(folder) + ":";
  for (const game_files::MissingCopy& missing : files.missing) {
    text += "\n" + missing.name + " is missing";
    for (const std::string& nearMiss : missing.nearMisses) {
      text += "\n    there is " + nearMiss + ": rename it";
    }
  }
  for (const std::string& unreadable : files.unreadable) {
    text += "\n" + unreadable + " cannot be read";
  }
  return text;
}

std::string LaunchTipText(const game_files::GameState& state, const std::string& halfLifeFolder) {
  std::vector<std::string> live;
  for (size_t i = 0; i < state.profiles.size(); ++i) {
    if (state.profiles[i].live)
      live.push_back(game_files::ProfileFor(static_cast<game_files::ProfileId>(i)).name);
  }
  std::string text = state.gameRunning
                         ? "Counter-Strike is running from " + platform::Quoted(halfLifeFolder) +
                               ": brings its window forward."
                         : "Starts Counter-Strike from " + platform::Quoted(halfLifeFolder) + ".";
  if (live.empty()) {
    return text + "\nIts files are no bot profile's (changed by hand, by an update, or a mix).";
  }
  text += "\nIt runs the " + live.front();
  for (size_t i = 1; i < live.size(); ++i) {
    text += (i + 1 == live.size() ? " or " : ", ") + live[i];
  }
  return text + (live.size() > 1 ? " profile (their prepared files are the same)." : " profile.");
}

std::string LaunchFailureText(const platform::Status& error) {
  return error.Message() + "\n\nCounter-Strike was not started.";
}

}  // namespace app
