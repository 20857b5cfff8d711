// The list of missing prepared files in a switch's message, each with the
// files beside it that differ from it only by an extension Windows hides.
#pragma once

#include <string>
#include <vector>

namespace app {

// One line per missing file (a full path), each near miss in its folder on
// its own indented line with the name to rename it to; then, when there is
// any, how Explorer comes to hide such an extension. Nothing is renamed.
std::string ListMissingWithNearMisses(const std::vector<std::string>& missingPaths);

}  // namespace app
