#include "game_files/profiles.h"

#include "platform/ascii_case.h"

#include <algorithm>
#include <string_view>
#include <utility>

namespace game_files {
namespace {

constexpr FileCopy kNNBotWaypoints[] = {
    {"maps\\nnb\\cs_assault.wpt", "maps\\cs_assault.wpt"},
    {"maps\\nnb\\cs_docks.wpt", "maps\\cs_docks.wpt"},
    {"maps\\nnb\\cs_estate.wpt", "maps\\cs_estate.wpt"},
    {"maps\\nnb\\cs_italy.wpt", "maps\\cs_italy.wpt"},
    {"maps\\nnb\\cs_office.wpt", "maps\\cs_office.wpt"},
    {"maps\\nnb\\de_dust.wpt", "maps\\de_dust.wpt"},
    {"maps\\nnb\\de_nuke.wpt", "maps\\de_nuke.wpt"},
};

// Three of Rambot's waypoints are shared with NNBot and live in its folder.
constexpr FileCopy kRambotWaypoints[] = {
    {"maps\\ram\\cs_747.wpt", "maps\\cs_747.wpt"},
    {"maps\\ram\\cs_assault.wpt", "maps\\cs_assault.wpt"},
    {"maps\\ram\\cs_estate.wpt", "maps\\cs_estate.wpt"},
    {"maps\\ram\\cs_iraq.wpt", "maps\\cs_iraq.wpt"},
    {"maps\\nnb\\cs_italy.wpt", "maps\\cs_italy.wpt"},
    {"maps\\ram\\cs_militia.wpt", "maps\\cs_militia.wpt"},
    {"maps\\ram\\cs_tomte.wpt", "maps\\cs_tomte.wpt"},
    {"maps\\ram\\de_aztec.wpt", "maps\\de_aztec.wpt"},
    {"maps\\ram\\de_cbble.wpt", "maps\\de_cbble.wpt"},
    {"maps\\nnb\\de_dust.wpt", "maps\\de_dust.wpt"},
    {"maps\\nnb\\de_nuke.wpt", "maps\\de_nuke.wpt"},
    {"maps\\ram\\de_prodigy.wpt", "maps\\de_prodigy.wpt"},
    {"maps\\ram\\de_train.wpt", "maps\\de_train.wpt"},
};

// Realbot has no library list of its own and uses NNBot's; Rambot's files
// carry the code "ramb"; the restore profile's library list is
// "liblist_old.gam".
// clang-format off
constexpr std::array<Profile, 8> kProfiles = {{
    {"Android", "Launch CS & exec and.cfg within LAN games", "mapcycle.and.txt", nullptr,
     "liblist.gam.and", {}},
    {"Bobabot", "Launch CS, choose a BOBABOT level & bots will automatically be added",
     "mapcycle.bob.txt", nullptr, "liblist.gam.bob", {}},
    {"NNBot", "Launch CS, choose a NNBot level & bots will automatically be added",
     "mapcycle.nnb.txt", "bot.cfg.nnb", "liblist.gam.nnb", kNNBotWaypoints},
    {"Rambot", "Launch CS & exec ram.cfg within LAN games", "mapcycle.ramb.txt", nullptr,
     "liblist.gam.ramb", kRambotWaypoints},
    {"Realbot", "Launch CS & manually add bots within LAN games", "mapcycle.rea.txt",
     "bot.cfg.rea", "liblist.gam.nnb", {}},
    {"Redubot", "Launch CS, choose a REDUBOT level & bots will automatically be added",
     "mapcycle.red.txt", "bot.cfg.red", "liblist.gam.red", {}},
    {"Swat Bot", "Launch CS, choose a SWAT level & bots will automatically be added",
     "mapcycle.swa.txt", nullptr, "liblist.gam.swa", {}},
    {"Restore for on-line play", "Resort original CS for on-line games!", "mapcycle.old.txt",
     nullptr, "liblist_old.gam", {}},
}};
// clang-format on

}  // namespace

const Profile& ProfileFor(ProfileId id) { return kProfiles[static_cast<size_t>(id)]; }

std::vector<LiveChange> PlanActivation(const Profile& profile,
                                       const std::vector<std::string>& listedWaypoints) {
  std::vector<LiveChange> changes = {{"mapcycle.txt", profile.mapCycleSource}};
  if (!profile.waypoints.empty()) {
    const std::string folder(kInWaypointFolder);
    for (const FileCopy& copy : profile.waypoints)
      changes.push_back({copy.destination, copy.source});
    for (const std::string& name : listedWaypoints) {
      const bool installed = std::any_of(
          profile.waypoints.begin(), profile.waypoints.end(), [&](const FileCopy& copy) {
            return platform::SameIgnoringAsciiCase(folder + name, copy.destination);
          });
      if (!installed) changes.push_back({folder + name, ""});
    }
  }
  if (profile.botConfigSource) changes.push_back({"bot.cfg", profile.botConfigSource});
  changes.push_back({"liblist.gam", profile.libraryListSource});
  return changes;
}

std::vector<std::string> PreparedCopiesOf(std::string_view liveName,
                                          platform::LeadByteRule leadByte) {
  const bool waypoint = liveName.starts_with(kInWaypointFolder);
  // A listed waypoint's name may hold a character whose second byte is '\\'.
  const std::string_view fileName =
      liveName.substr(platform::LastSeparator(liveName, leadByte) + 1);
  std::vector<std::string> copies;
  for (const Profile& profile : kProfiles) {
    for (const LiveChange& change : PlanActivation(profile, {})) {
      std::string copy;
      if (waypoint && change.live.starts_with(kInWaypointFolder)) {
        copy = change.source.substr(0, change.source.find_last_of('\\') + 1);
        copy += fileName;
      } else if (change.live == liveName) {
        copy = change.source;
      } else {
        continue;
      }
      if (std::find(copies.begin(), copies.end(), copy) == copies.end()) {
        copies.push_back(std::move(copy));
      }
    }
  }
  return copies;
}

}  // namespace game_files
