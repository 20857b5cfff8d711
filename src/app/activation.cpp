#include "app/activation.h"

#include <algorithm>
#include <vector>

#include "app/backups.h"
#include "app/folder_turn.h"
#include "app/missing_files.h"
#include "platform/files.h"
#include "platform/listing.h"
#include "platform/writer_turn.h"

namespace app {
namespace {

constexpr char kActivationTitle[] = "MsgBox Demonstration";

std::vector<std::string> MissingSources(const std::vector<LiveChange>& changes,
                                        const std::string& gameFolder) {
  std::vector<std::string> missing;
  for (const LiveChange& change : changes) {
    if (change.source.empty()) continue;
    std::string path = gameFolder + "\\" + change.source;
    if (!platform::FileExists(path)) missing.push_back(path);
  }
  return missing;
}

// The names in the waypoint folder, for a profile with a waypoint set.
platform::Status ListWaypoints(const Profile& profile, const std::string& gameFolder,
                               std::vector<std::string>& names) {
  if (profile.waypoints.empty()) return platform::Status::Ok();
  platform::Listing listing =
      platform::ListNames(gameFolder + "\\" + kWaypointPattern, platform::ListFilter::kAllFiles);
  names = std::move(listing.names);
  return listing.status;
}

std::vector<std::string> ReadOnlyFiles(const std::vector<LiveChange>& changes,
                                       const std::string& gameFolder) {
  std::vector<std::string> readOnly;
  for (const LiveChange& change : changes) {
    const std::string path = gameFolder + "\\" + change.live;
    if (platform::IsReadOnly(path)) readOnly.push_back(path);
  }
  return readOnly;
}

// The live files another program holds open so that they cannot be replaced
// now, each with the system's reason.
std::vector<std::string> HeldOpenFiles(const std::vector<LiveChange>& changes,
                                       const std::string& gameFolder) {
  std::vector<std::string> held;
  for (const LiveChange& change : changes) {
    const std::string path = gameFolder + "\\" + change.live;
    const platform::Status free = platform::CheckNotHeldOpen(path);
    if (!free.ok()) {
      held.push_back(platform::Quoted(path) + ": " + platform::SystemErrorText(free.code()));
    }
  }
  return held;
}

std::string ListOf(const std::vector<std::string>& paths) {
  std::string text;
  for (const std::string& path : paths) text += "\n" + path;
  return text;
}

// The end of the message of a switch that failed without changing anything.
std::string NothingChanged(const std::string& profile) {
  return "\n\nThe " + profile + " profile was not switched.\n\nNo file was changed.";
}

// What a failed commit left: nothing changed, or exactly which files are new or gone.
std::string Aftermath(const SwitchTransaction::Outcome& outcome, const std::string& profile) {
  if (outcome.changed.empty()) return outcome.failure.Message() + NothingChanged(profile);
  std::vector<std::string> fresh, removed;
  for (const std::string& path : outcome.changed) {
    (platform::FileExists(path) ? fresh : removed).push_back(path);
  }
  std::string text = outcome.failure.Message() + "\n\nThe " + profile +
                     " profile was not switched, and putting the files back failed too:\n\n" +
                     outcome.undoFailure.Message() + "\n";
  if (!fresh.empty())
    text += "\nThese files are the " + profile + " profile's:" + ListOf(fresh) + "\n";
  if (!removed.empty()) text += "\nThese files were removed:" + ListOf(removed) + "\n";
  return text +
         "\nEvery other file is as it was. The launcher puts these back the next time it starts, "
         "switches or saves in this folder: close the program that holds them first.";
}

// Backs up, stages and commits the changes; returns what failed, or nothing.
// The staged and old files are gone when it returns, before any message.
std::string Switch(const std::vector<LiveChange>& changes, const std::string& gameFolder,
                   const std::string& profile, const SwitchOptions& options) {
  SYSTEMTIME time = options.time.value_or(SYSTEMTIME{});
  if (!options.time) GetLocalTime(&time);
  SwitchBackups backups(gameFolder, time);
  SwitchTransaction transaction(gameFolder);
  for (const LiveChange& change : changes) {
    platform::Status staged = backups.KeepIfUnique(change.live);
    if (staged.ok()) staged = transaction.Stage(change);
    if (!staged.ok()) return staged.Message() + NothingChanged(profile);
  }
  const SwitchTransaction::Outcome outcome = transaction.Commit();
  return outcome.failure.ok() ? "" : Aftermath(outcome, profile);
}

}  // namespace

bool ActivateProfile(const Profile& profile, const std::function<SwitchFolder()>& locate,
                     platform::MessageBoxes& messages, HWND owner, const SwitchOptions& options) {
  using platform::MessageStyle;
  messages.Show(owner, profile.message, kActivationTitle, MessageStyle::kInformation);

  const SwitchFolder located = locate();
  const std::string& gameFolder = located.folder;
  const std::string note = located.failureNote.empty() ? "" : "\n\n" + located.failureNote;
  // The folder's writer's turn, handed on before any message: another launcher need not wait
  // while the player reads.
  platform::WriterTurn turn;
  auto fail = [&](const std::string& text) {
    turn.Release();
    messages.Show(owner, text + note, std::nullopt, MessageStyle::kCritical);
    return false;
  };
  const std::string unchanged = "\n\nNo file was changed.";
  platform::Status entered = platform::SetCurrentFolder(gameFolder);
  if (!entered.ok()) return fail(entered.Message() + unchanged);

  // One writer at a time in the folder; what a switch cut short left is put back first.
  platform::Status taken = TakeFolderTurn(gameFolder, turn, messages, owner);
  if (!taken.ok()) return fail(taken.Message() + NothingChanged(profile.name));

  const std::string notSwitched = std::string("The ") + profile.name + " profile was not switched";
  std::vector<std::string> waypoints;
  platform::Status listed = ListWaypoints(profile, gameFolder, waypoints);
  if (!listed.ok()) return fail(listed.Message() + NothingChanged(profile.name));
  const std::vector<LiveChange> changes = PlanActivation(profile, waypoints);
  const std::vector<std::string> missing = MissingSources(changes, gameFolder);
  if (!missing.empty()) {
    return fail(notSwitched + " because these prepared files are missing:\n" +
                ListMissingWithNearMisses(missing) + unchanged);
  }
  // Windows refuses to replace or delete a read-only file; only the player
  // may clear an attribute the player set.
  const std::vector<std::string> readOnly = ReadOnlyFiles(changes, gameFolder);
  if (!readOnly.empty()) {
    return fail(notSwitched + " because these files are read-only:\n" + ListOf(readOnly) +
                "\n\nTo clear the attribute, right-click each file, choose Properties and "
                "uncheck Read-only, or type attrib -r followed by the file's name in a command "
                "prompt." +
                unchanged);
  }
  // A file the game or an editor holds open cannot be replaced until it is closed.
  const std::vector<std::string> held = HeldOpenFiles(changes, gameFolder);
  if (!held.empty()) {
    return fail(notSwitched + " because another program has these files open:\n" + ListOf(held) +
                "\n\nClose the program that has them open (the game, a text editor) and press "
                "the button again." +
                unchanged);
  }

  const std::string failure = Switch(changes, gameFolder, profile.name, options);
  return failure.empty() || fail(failure);
}

bool ActivateProfile(const Profile& profile, const std::string& gameFolder,
                     platform::MessageBoxes& messages, HWND owner, const SwitchOptions& options) {
  return ActivateProfile(
      profile,
      [&] {
        return SwitchFolder{gameFolder, {}};
      },
      messages, owner, options);
}

}  // namespace app
