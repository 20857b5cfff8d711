// The reader of Steam's library list on any bytes: it never faults; each folder is a non-empty,
// NUL-free piece of the text, unique ignoring ASCII case, valid UTF-8 when the text is, within
// the limit; folders written back in either of Steam's layouts read back the same.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "game_finder/settings_text.h"
#include "game_finder/steam_library_folders.h"

namespace {

using Folders = std::vector<std::string>;

void Check(bool holds) {
  if (!holds) std::abort();
}

std::string Quoted(const std::string& text) {
  std::string quoted = "\"";
  for (char c : text) {
    if (c == '\\' || c == '"') quoted += '\\';
    quoted += c;
  }
  return quoted + '"';
}

std::string Written(const Folders& folders, bool current) {
  std::string text = current ? "\"libraryfolders\"\n{\n" : "\"LibraryFolders\"\n{\n";
  for (std::size_t i = 0; i < folders.size(); ++i) {
    const std::string key = Quoted(std::to_string(current ? i : i + 1));
    if (current) {
      text += "\t" + key + "\n\t{\n\t\t\"path\"\t\t" + Quoted(folders[i]) + "\n\t}\n";
    } else {
      text += "\t" + key + "\t\t" + Quoted(folders[i]) + "\n";
    }
  }
  return text + "}\n";
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const Folders folders = game_finder::SteamLibraryFolders(bytes);

  Check(folders.size() <= game_finder::kSteamLibraryFolderLimit);
  std::set<std::string> folded;
  const bool utf8 = game_finder::IsUtf8(bytes);
  for (const std::string& folder : folders) {
    Check(!folder.empty() && folder.size() <= size && folder.find('\0') == std::string::npos);
    Check(!utf8 || game_finder::IsUtf8(folder));
    std::string lower = folder;
    for (char& c : lower) c = c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
    Check(folded.insert(lower).second);
  }
  Check(game_finder::SteamLibraryFolders(Written(folders, true)) == folders);
  Check(game_finder::SteamLibraryFolders(Written(folders, false)) == folders);
  return 0;
}
