// A small Half-Life install with Counter-Strike, the prepared files of every
// bot profile and a second modification: what a new user tries first, and
// what the end-to-end tests start from.
#pragma once

#include <string>
#include <vector>

namespace tools {

inline constexpr char kDemoHalfLifeFolder[] = "C:\\SIERRA\\Half-Life";

// The maps of the demo's Counter-Strike folder, without ".bsp".
const std::vector<std::string>& DemoCounterStrikeMaps();

// The recognisable content of a prepared or live file of the demo.
std::string DemoFileContent(const std::string& relativeName);

// Writes the demo below `halfLifeFolder`. Returns false when a file could not
// be written.
bool InstallDemoGame(const std::string& halfLifeFolder);

}  // namespace tools
