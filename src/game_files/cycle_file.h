// Reading and writing mapcycle.txt: one map name per line, 8-bit ANSI text.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace cycle {

// Splits the file into its lines, in file order. CR LF, a lone CR and a lone LF each end a
// line; a last line without a terminator still counts. Lines are kept byte for byte: no
// trimming, no case change, blank lines and duplicates stay.
std::vector<std::string> ParseCycle(std::string_view bytes);

// Writes every entry followed by CR LF, the last one included.
std::string FormatCycle(const std::vector<std::string>& entries);

}  // namespace cycle
