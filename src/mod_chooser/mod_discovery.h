// Finding the modification folders below the Half-Life install folder that
// carry a map rotation, without any window.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "platform/status.h"

namespace mod_chooser {

inline constexpr char kNotInstalledText[] = "Half Life is not installed on this machine";
inline constexpr char kNotInstalledTitle[] = "Cannot Start";

// The pattern that lists the names without an extension directly below the
// install folder.
std::string ModListingPattern(const std::string& hlPath);

// Keeps the names for which `holdsMapCycle` is true, in listing order. The names
// are checked from the last to the first.
std::vector<std::string> KeepModsWithMapCycle(
    std::vector<std::string> names, const std::function<bool(const std::string&)>& holdsMapCycle);

// True when the folder `name` below the install folder holds an ordinary
// (neither hidden nor system) "mapcycle.txt".
bool HoldsMapCycle(const std::string& hlPath, const std::string& name);

struct Discovery {
  // Names the listing returned, before any was checked for a map rotation.
  size_t listed = 0;
  // The names that hold a map rotation, in listing order.
  std::vector<std::string> mods;
  // Set when the listing failed part-way; `mods` then holds what was found
  // among the names listed before the failure.
  platform::Status failure;
};

// Lists the folders and ordinary files without an extension below `hlPath`
// and keeps those that hold a map rotation.
Discovery DiscoverMods(const std::string& hlPath);

}  // namespace mod_chooser
