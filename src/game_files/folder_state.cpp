#include "game_files/folder_state.h"

#include <algorithm>

#include "game_files/near_misses.h"

namespace game_files {
namespace {

bool IsFile(const FileLook& look) { return look.kind == FileKind::kFile; }

void AddOnce(std::vector<std::string>& names, const std::string& name) {
  if (std::find(names.begin(), names.end(), name) == names.end()) names.push_back(name);
}

// Whether the live file holds exactly the prepared copy's bytes. Sizes are
// compared first, so that most files are never read. A prepared copy whose
// bytes do not come is unreadable.
bool SameBytes(FolderFiles& files, const LiveChange& change, ProfileState& state) {
  const FileLook liveLook = files.Look(change.live), sourceLook = files.Look(change.source);
  if (!IsFile(liveLook) || !IsFile(sourceLook) || liveLook.size != sourceLook.size) return false;
  const Comparison comparison = files.Compare(change.live, change.source);
  if (comparison == Comparison::kSecondUnreadable) AddOnce(state.unreadable, change.source);
  return comparison == Comparison::kSame;
}

// What the switch to `profile` would find missing or unreadable.
void CheckSources(FolderFiles& files, const std::vector<LiveChange>& changes, ProfileState& state) {
  for (const LiveChange& change : changes) {
    if (change.source.empty()) continue;
    const FileLook look = files.Look(change.source);
    if (look.kind == FileKind::kAbsent || look.kind == FileKind::kFolder) {
      const std::string fileName = change.source.substr(change.source.find_last_of('\\') + 1);
      const std::vector<std::string> beside = files.NamesBeside(change.source);
      state.missing.push_back({change.source, NearMisses(fileName, beside)});
    } else if (look.kind == FileKind::kUnreadable) {
      AddOnce(state.unreadable, change.source);
    }
  }
}

}  // namespace

FilesState JudgeFiles(FolderFiles& files) {
  FilesState states;
  std::vector<std::string> waypoints;
  const bool listed = files.ListWaypoints(waypoints);
  for (size_t index = 0; index < kProfileCount; ++index) {
    const Profile& profile = ProfileFor(static_cast<ProfileId>(index));
    ProfileState& state = states[index];
    const std::vector<LiveChange> changes = PlanActivation(profile, waypoints);
    CheckSources(files, changes, state);
    // A waypoint file the switch would remove is not the profile's; without the
    // listing the waypoint set cannot be told.
    state.live = (listed || profile.waypoints.empty()) &&
                 std::all_of(changes.begin(), changes.end(), [&](const LiveChange& change) {
                   return !change.source.empty() && SameBytes(files, change, state);
                 });
  }
  return states;
}

}  // namespace game_files
