// The bot profiles: which prepared copies each bot add-on installs in the
// Counter-Strike folder. All names are relative to that folder.
#pragma once

#include <array>
#include <span>
#include <string>
#include <vector>

namespace app {

struct FileCopy {
  const char* source;
  const char* destination;
};

struct Profile {
  const char* name;
  const char* message;               // shown before anything is touched
  const char* mapCycleSource;        // installed as "mapcycle.txt"
  const char* botConfigSource;       // installed as "bot.cfg"; nullptr: left alone
  const char* libraryListSource;     // installed as "liblist.gam"
  std::span<const FileCopy> waypoints;  // empty: waypoint files left alone
};

enum class ProfileId { kAndroid, kBobabot, kNNBot, kRambot, kRealbot, kRedubot, kSwatBot, kRestore };

const Profile& ProfileFor(ProfileId id);

inline constexpr char kGameFolder[] = "C:\\SIERRA\\Half-Life\\cstrike";
inline constexpr char kWaypointPattern[] = "maps\\*.wpt";

// One step of an activation, in the order the steps run.
struct ActivationStep {
  enum class Kind { kInstall, kRemoveWaypoints } kind;
  std::string source;       // for kInstall
  std::string destination;  // for kInstall: the live name; for kRemoveWaypoints: the pattern
};

// Map cycle, then waypoints (delete all, then the set in order), then the bot
// configuration, then the library list.
std::vector<ActivationStep> PlanActivation(const Profile& profile);

}  // namespace app
