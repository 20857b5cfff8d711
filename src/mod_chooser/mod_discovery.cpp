#include "mod_chooser/mod_discovery.h"

#include <utility>

namespace mod_chooser {

std::string ModListingPattern(const std::string& hlPath) { return hlPath + "\\*."; }

std::vector<std::string> KeepModsWithMapCycle(
    std::vector<std::string> names, const std::function<bool(const std::string&)>& holdsMapCycle) {
  std::vector<bool> keep(names.size());
  for (size_t i = names.size(); i-- > 0;) keep[i] = holdsMapCycle(names[i]);
  std::vector<std::string> mods;
  for (size_t i = 0; i < names.size(); ++i) {
    if (keep[i]) mods.push_back(std::move(names[i]));
  }
  return mods;
}

}  // namespace mod_chooser
