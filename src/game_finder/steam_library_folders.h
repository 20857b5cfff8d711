// Reading the list of Steam's game libraries, <Steam>\steamapps\libraryfolders.vdf, a file in
// Valve's KeyValues text format, without any window.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace game_finder {

// At most this many bytes of libraryfolders.vdf are read; a longer file is read this far.
inline constexpr std::size_t kSteamLibraryFileLimit = 1 << 20;

// At most this many library folders are taken from the file; the rest are left out.
inline constexpr std::size_t kSteamLibraryFolderLimit = 256;

// The library folders that the text of Steam's libraryfolders.vdf names, in file order.
// Inside the root block (of any name) a key of decimal digits names a library: by its string
// value (the format before 2021) or by the "path" string of its block (the current format);
// key names compare ignoring ASCII case, and everything else is skipped. Quoted strings undo
// the escapes \\ \" \n \t and keep any other backslash. Comments (//), unquoted tokens, any
// line ends and a UTF-8 byte-order mark are read as Valve's parser reads them. Empty paths and
// paths holding a NUL byte are left out, and each path comes once (its first occurrence,
// compared ignoring ASCII case). Malformed text gives the folders read before the fault, or
// those still readable past it; the time taken grows linearly with the text.
std::vector<std::string> SteamLibraryFolders(std::string_view vdf);

}  // namespace game_finder
