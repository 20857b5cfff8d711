#include "app/activation.h"

#include <vector>

#include "app/backups.h"
#include "platform/files.h"

namespace app {
namespace {

constexpr char kActivationTitle[] = "MsgBox Demonstration";

std::vector<std::string> MissingSources(const std::vector<ActivationStep>& steps,
                                        const std::string& gameFolder) {
  std::vector<std::string> missing;
  for (const ActivationStep& step : steps) {
    if (step.kind != ActivationStep::Kind::kInstall) continue;
    std::string path = gameFolder + "\\" + step.source;
    if (!platform::FileExists(path)) missing.push_back(path);
  }
  return missing;
}

// Each live file is backed up, if it must be, right before it is touched.
platform::Status RunStep(const ActivationStep& step, const std::string& gameFolder,
                         SwitchBackups& backups) {
  if (step.kind == ActivationStep::Kind::kRemoveOtherWaypoints) {
    const std::string folder = step.destination.substr(0, step.destination.find_last_of('\\') + 1);
    return platform::DeleteMatching(
        gameFolder + "\\" + step.destination, step.keep,
        [&](const std::string& name) { return backups.KeepIfUnique(folder + name); });
  }
  platform::Status kept = backups.KeepIfUnique(step.destination);
  if (!kept.ok()) return kept;
  return platform::ReplaceWithCopy(gameFolder + "\\" + step.source,
                                   gameFolder + "\\" + step.destination);
}

}  // namespace

bool ActivateProfile(const Profile& profile, const std::function<SwitchFolder()>& locate,
                     platform::MessageBoxes& messages, HWND owner, std::optional<SYSTEMTIME> time) {
  using platform::MessageStyle;
  messages.Show(owner, profile.message, kActivationTitle, MessageStyle::kInformation);

  const SwitchFolder located = locate();
  const std::string& gameFolder = located.folder;
  const std::string note = located.failureNote.empty() ? "" : "\n\n" + located.failureNote;
  platform::Status entered = platform::SetCurrentFolder(gameFolder);
  if (!entered.ok()) {
    messages.Show(owner, entered.Message() + "\n\nNo file was changed." + note, std::nullopt,
                  MessageStyle::kCritical);
    return false;
  }

  const std::vector<ActivationStep> steps = PlanActivation(profile);
  const std::vector<std::string> missing = MissingSources(steps, gameFolder);
  if (!missing.empty()) {
    std::string text = std::string("The ") + profile.name +
                       " profile was not switched because these prepared files are missing:\n";
    for (const std::string& path : missing) text += "\n" + path;
    messages.Show(owner, text + "\n\nNo file was changed." + note, std::nullopt,
                  MessageStyle::kCritical);
    return false;
  }

  if (!time) {
    time.emplace();
    GetLocalTime(&*time);
  }
  SwitchBackups backups(gameFolder, *time);
  for (const ActivationStep& step : steps) {
    platform::Status done = RunStep(step, gameFolder, backups);
    if (!done.ok()) {
      messages.Show(owner,
                    done.Message() + "\n\nThe " + profile.name +
                        " profile was switched only up to this file." + note,
                    std::nullopt, MessageStyle::kCritical);
      return false;
    }
  }
  return true;
}

bool ActivateProfile(const Profile& profile, const std::string& gameFolder,
                     platform::MessageBoxes& messages, HWND owner, std::optional<SYSTEMTIME> time) {
  return ActivateProfile(
      profile,
      [&] {
        return SwitchFolder{gameFolder, {}};
      },
      messages, owner, time);
}

}  // namespace app
