// The bot profiles: which prepared copies each bot add-on installs in the
// Counter-Strike folder. All names are relative to that folder.
#pragma once

#include <array>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "platform/path.h"

namespace game_files {

struct FileCopy {
  const char* source;
  const char* destination;
};

struct Profile {
  const char* name;
  const char* message;                  // shown before anything is touched
  const char* mapCycleSource;           // installed as "mapcycle.txt"
  const char* botConfigSource;          // installed as "bot.cfg"; nullptr: left alone
  const char* libraryListSource;        // installed as "liblist.gam"
  std::span<const FileCopy> waypoints;  // empty: waypoint files left alone
};

enum class ProfileId {
  kAndroid,
  kBobabot,
  kNNBot,
  kRambot,
  kRealbot,
  kRedubot,
  kSwatBot,
  kRestore
};

const Profile& ProfileFor(ProfileId id);

// The waypoint folder, relative to the game folder, and its live waypoint files.
inline constexpr char kWaypointFolder[] = "maps";
inline constexpr char kWaypointPattern[] = "maps\\*.wpt";
// A live waypoint file's name relative to the game folder starts so.
inline constexpr std::string_view kInWaypointFolder = "maps\\";
static_assert(std::string_view(kWaypointPattern).starts_with(kInWaypointFolder));

// One change of a switch to one live file, both names relative to the game
// folder: the live file gets a copy of `source`, or with no source it goes.
struct LiveChange {
  std::string live, source;
  bool operator==(const LiveChange&) const = default;
};

// The changes of a switch to `profile`, in the order they are made: the map
// cycle, then each file of the waypoint set in the set's order, each
// replacing its live name in place; only then the files of `listedWaypoints`
// (the names in the folder of kWaypointPattern) that the set does not install
// are removed, so a switch cut short never leaves a waypoint file missing;
// then the bot configuration, then the library list. A profile without a
// waypoint set leaves the waypoint files alone.
std::vector<LiveChange> PlanActivation(const Profile& profile,
                                       const std::vector<std::string>& listedWaypoints);

// Where a switch may find the bytes of the live file `liveName` again once it
// has replaced or removed it: every prepared copy any profile installs under
// that name, and for a waypoint file (any name in the folder of
// kWaypointPattern) the file of the same name in each folder a waypoint set
// copies from. Each is named once; some may not exist. `liveName` is split by
// the characters of `leadByte`'s code page.
std::vector<std::string> PreparedCopiesOf(std::string_view liveName,
                                          platform::LeadByteRule leadByte);

}  // namespace game_files
