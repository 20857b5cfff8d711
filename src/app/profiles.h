// The bot profiles: which prepared copies each bot add-on installs in the
// Counter-Strike folder. All names are relative to that folder.
#pragma once

#include <array>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "platform/path.h"

namespace app {

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

inline constexpr char kWaypointPattern[] = "maps\\*.wpt";

// One step of an activation, in the order the steps run.
struct ActivationStep {
  enum class Kind { kInstall, kRemoveOtherWaypoints } kind;
  std::string source;       // for kInstall
  std::string destination;  // for kInstall: the live name; for kRemoveOtherWaypoints: the pattern
  std::vector<std::string> keep;  // for kRemoveOtherWaypoints: file names the set installed
};

// Map cycle, then waypoints, then the bot configuration, then the library
// list. Each file of a waypoint set replaces its live name in place, in the
// set's order; only then are the waypoint files that are not in the set
// removed, so a switch cut short never leaves a waypoint file missing.
std::vector<ActivationStep> PlanActivation(const Profile& profile);

// Where a switch may find the bytes of the live file `liveName` again once it
// has replaced or removed it: every prepared copy any profile installs under
// that name, and for a waypoint file (any name in the folder of
// kWaypointPattern) the file of the same name in each folder a waypoint set
// copies from. Each is named once; some may not exist. `liveName` is split by
// the characters of `leadByte`'s code page.
std::vector<std::string> PreparedCopiesOf(std::string_view liveName,
                                          platform::LeadByteRule leadByte);

}  // namespace app
