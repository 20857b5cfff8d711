// Discovery on disk: the install folder's listing and a listing per name for
// its map rotation.
#include <utility>

#include "game_files/mod_cycle.h"
#include "mod_chooser/mod_discovery.h"
#include "platform/listing.h"

namespace mod_chooser {

bool HoldsMapCycle(const std::string& hlPath, const std::string& name) {
  return platform::AnyMatch(game_files::CycleFilePath(hlPath, name),
                            platform::ListFilter::kOrdinaryFiles);
}

Discovery DiscoverMods(const std::string& hlPath) {
  platform::Listing listing = platform::ListNames(ModListingPattern(hlPath),
                                                  platform::ListFilter::kFoldersAndOrdinaryFiles);
  Discovery found;
  found.listed = listing.names.size();
  found.failure = listing.status;
  found.mods = KeepModsWithMapCycle(std::move(listing.names), [&](const std::string& name) {
    return HoldsMapCycle(hlPath, name);
  });
  return found;
}

}  // namespace mod_chooser
