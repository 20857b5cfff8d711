// Files a player meant as a prepared file but that carry a name Windows does
// not show in full: Explorer hides the extensions of known file types (".txt"
// among them) unless told to show them, so a copy renamed there to
// "mapcycle.nnb.txt" is really "mapcycle.nnb.txt.txt", and one renamed to
// "liblist.gam.nnb" from a text file is "liblist.gam.nnb.txt". Window-free.
#pragma once

#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace game_files {

// Whether Windows hides `extension` (".txt") in Explorer by default: the file
// types every Windows knows that an editor or a download gives a file.
bool IsHiddenExtension(std::string_view extension);

// The names among `names` (a folder's files) that differ from `wanted` only by
// a hidden extension: `wanted` with one more ("mapcycle.nnb.txt.txt"), without
// its own ("mapcycle.nnb" for "mapcycle.nnb.txt"), or with another in its
// place ("mapcycle.nnb.rtf"). ASCII letters match in either case; `wanted` is
// ASCII. In the order of `names`.
std::vector<std::string> NearMisses(std::string_view wanted, std::span<const std::string> names);

}  // namespace game_files
