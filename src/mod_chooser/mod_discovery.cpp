#include "mod_chooser/mod_discovery.h"

#include "platform/listing.h"

namespace mod_chooser {

std::string ModListingPattern(const std::string& hlPath) { return hlPath + "\\*."; }

bool HoldsMapCycle(const std::string& hlPath, const std::string& name) {
  return platform::AnyMatch(hlPath + "\\" + name + "\\mapcycle.txt",
                            platform::ListFilter::kOrdinaryFiles);
}

Discovery DiscoverMods(const std::string& hlPath) {
  platform::Listing listing = platform::ListNames(ModListingPattern(hlPath),
                                                  platform::ListFilter::kFoldersAndOrdinaryFiles);
  Discovery found;
  found.listed = listing.names.size();
  found.failure = listing.status;
  // Checked from the last name to the first; the survivors keep listing order.
  std::vector<bool> keep(listing.names.size());
  for (size_t i = listing.names.size(); i-- > 0;) keep[i] = HoldsMapCycle(hlPath, listing.names[i]);
  for (size_t i = 0; i < listing.names.size(); ++i) {
    if (keep[i]) found.mods.push_back(std::move(listing.names[i]));
  }
  return found;
}

}  // namespace mod_chooser
