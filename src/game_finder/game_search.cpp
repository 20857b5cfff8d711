#include "game_finder/game_search.h"

#include <windows.h>

#include <optional>

#include "game_finder/install_path.h"
#include "game_finder/settings_text.h"
#include "game_finder/steam_library_folders.h"
#include "platform/files.h"
#include "platform/message_text.h"
#include "platform/text.h"

namespace game_finder {
namespace {

using platform::AnsiLeadByte;

// At most this many places are named in a message; a machine with more Steam
// libraries gets a count of the rest.
constexpr size_t kPlacesNamed = 12;

// The places a SearchPlacesInUse put in place of the running program's.
std::optional<SearchPlaces> placesInUse;

std::string Below(std::string_view folder, std::string_view name) {
  return platform::PathBelow(folder, name, AnsiLeadByte);
}

// A folder a UTF-8 file names, as a path in the ANSI code page when the code
// page holds it exactly. Otherwise nothing, and the place it stands for (the
// folder, with `tail` below it) goes to `unnameable` as it can be shown.
std::optional<std::string> PathFromUtf8(const std::string& utf8, std::string_view tail,
                                        PlaceKind kind, std::vector<GamePlace>& unnameable) {
  std::optional<std::string> ansi = platform::ExactAnsiFromUtf8(utf8);
  if (!ansi) {
    const std::string place = tail.empty() ? utf8 : utf8 + '\\' + std::string(tail);
    unnameable.push_back({platform::ShownAnsiFromUtf8(place), kind});
  }
  return ansi;
}

// The folder launcher.ini names, in the ANSI code page; empty when it names
// none, or none the code page can hold. A relative folder counts from the
// settings file's folder, not from the current folder, which a switch leaves
// in the Counter-Strike folder.
std::string NamedFolder(const std::string& settingsFile, std::vector<GamePlace>& unnameable) {
  std::string bytes;
  if (!platform::ReadWholeFile(settingsFile, bytes, kSettingsFileLimit).ok()) return {};
  const SettingsText text = DecodedSettingsText(bytes);
  std::optional<std::string> folder = SettingValue(text.text, kSettingsSection, kSettingsKey);
  if (folder && text.utf8) folder = PathFromUtf8(*folder, {}, PlaceKind::kNamed, unnameable);
  if (!folder || folder->empty()) return {};
  return platform::ResolvedFrom(platform::FolderOf(settingsFile, AnsiLeadByte), *folder,
                                AnsiLeadByte);
}

// Steam records its folder per user (with forward slashes); its installer also
// records it for the machine.
std::string SteamFolder(const std::string& below) {
  const std::string key = below + "Software\\Valve\\Steam";
  std::string folder = RegistryText("HKCU", key, "SteamPath").value_or("");
  if (folder.empty()) folder = RegistryText("HKLM", key, "InstallPath").value_or("");
  return platform::WindowsFolder(folder, AnsiLeadByte);
}

// Steam writes its library list in UTF-8; a list that is not UTF-8 was edited
// in the ANSI code page and is taken as it is. A list that cannot be read only
// means fewer libraries.
std::vector<std::string> SteamLibraries(const std::string& steamFolder,
                                        std::vector<GamePlace>& unnameable) {
  if (steamFolder.empty()) return {};
  std::string bytes;
  if (!platform::ReadWholeFile(Below(steamFolder, kSteamLibraryList), bytes, kSteamLibraryFileLimit)
           .ok()) {
    return {};
  }
  std::vector<std::string> libraries = SteamLibraryFolders(bytes);
  if (EncodingOf(bytes) == TextEncoding::kAnsi) return libraries;
  std::vector<std::string> named;
  for (const std::string& library : libraries) {
    std::optional<std::string> ansi =
        PathFromUtf8(library, kSteamHalfLife, PlaceKind::kSteamLibrary, unnameable);
    if (ansi) named.push_back(std::move(*ansi));
  }
  return named;
}

const char* PlaceNote(const LookedPlace& looked) {
  if (looked.halfLifeOnly) return "  (holds hl.exe but no cstrike folder)";
  switch (looked.place.kind) {
    case PlaceKind::kNamed:
      return "  (named in the settings file)";
    case PlaceKind::kInstallPath:
      return "  (the registry's Half-Life install folder)";
    case PlaceKind::kSteamLibrary:
      return "  (Steam)";
    case PlaceKind::kBesideProgram:
    case PlaceKind::kSierra:
      break;
  }
  return "";
}

std::string CodePageNote() {
  return "the system's code page (" + std::to_string(GetACP()) + ") cannot hold";
}

}  // namespace

std::string ProgramFolder() {
  char self[MAX_PATH] = {};
  const DWORD length = GetModuleFileNameA(nullptr, self, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return {};
  return platform::FolderOf(std::string_view(self, length), AnsiLeadByte);
}

std::string SettingsFileBesideProgram() { return Below(ProgramFolder(), kSettingsFileName); }

SearchPlaces PlacesSearched() {
  if (placesInUse) return *placesInUse;
  SearchPlaces own;
  own.settingsFile = SettingsFileBesideProgram();
  own.programFolder = ProgramFolder();
  return own;
}

SearchPlacesInUse::SearchPlacesInUse(const SearchPlaces& places) : previous_(placesInUse) {
  placesInUse = places;
}

SearchPlacesInUse::~SearchPlacesInUse() { placesInUse = previous_; }

GameSearch FindGame(const SearchPlaces& places) {
  GameSearch search;
  search.settingsFile = places.settingsFile;
  GameRecords& records = search.records;
  records.namedFolder = NamedFolder(places.settingsFile, search.unnameable);
  records.programFolder = places.programFolder;
  records.sierraHalfLife = places.sierraHalfLife;
  search.installPath = RegistryInstallPath(places.registryKey);
  records.installPath = search.installPath.value_or("");
  records.steamFolder = SteamFolder(places.registryKey);
  records.steamLibraries = SteamLibraries(records.steamFolder, search.unnameable);
  for (GamePlace& place : GamePlaces(records, AnsiLeadByte)) {
    const bool halfLife = platform::FileExists(Below(place.folder, kGameExecutable));
    const bool counterStrike = platform::FolderExists(Below(place.folder, kCounterStrikeFolder));
    search.looked.push_back({std::move(place), halfLife && !counterStrike});
    if (halfLife && counterStrike) {
      search.found = search.looked.back().place.folder;
      break;
    }
  }
  return search;
}

bool FoundInNamedFolder(const GameSearch& search) {
  return !search.found.empty() && search.looked.size() == 1 &&
         search.looked.front().place.kind == PlaceKind::kNamed;
}

std::string NamedFolderFailureText(const GameSearch& search) {
  const std::string settingsFile = platform::Quoted(search.settingsFile);
  const std::string instead = ", so Half-Life is looked for in its usual places instead.";
  for (const GamePlace& place : search.unnameable) {
    if (place.kind != PlaceKind::kNamed) continue;
    return "The folder " + platform::Quoted(place.folder) + " named in " + settingsFile +
           " cannot be looked in: its name has characters that " + CodePageNote() + instead;
  }
  if (search.looked.empty() || search.looked.front().place.kind != PlaceKind::kNamed ||
      FoundInNamedFolder(search)) {
    return {};
  }
  const LookedPlace& named = search.looked.front();
  return "The folder " + platform::Quoted(named.place.folder) + " named in " + settingsFile +
         (named.halfLifeOnly ? " holds hl.exe but no cstrike folder" : " holds no hl.exe") +
         instead;
}

std::string NotFoundFailureText(const GameSearch& search) {
  if (!search.found.empty()) return {};
  std::string text = std::string("Half-Life (") + kGameExecutable +
                     " with a cstrike folder) is in none of the folders looked in, in this "
                     "order:\n";
  // The program's own folders are named only when they hold something of the game: started
  // from a download folder, the program names no more than before.
  std::vector<std::string> places;
  for (const LookedPlace& looked : search.looked) {
    if (looked.place.kind == PlaceKind::kBesideProgram && !looked.halfLifeOnly) continue;
    places.push_back(looked.place.folder + PlaceNote(looked));
  }
  text += platform::FirstLinesAndCount(places, kPlacesNamed);
  std::string notes;
  if (search.records.installPath.empty()) {
    notes += "\nThe registry names no Half-Life install folder.";
  }
  if (search.records.steamFolder.empty()) notes += "\nThe registry names no Steam folder.";
  if (!search.unnameable.empty()) {
    notes += "\nNot looked in, their names having characters that " + CodePageNote() + ":";
    for (const GamePlace& place : search.unnameable) notes += "\n" + place.folder;
  }
  if (!notes.empty()) text += "\n" + notes;
  return text + "\n\nTo use Half-Life in another folder, name it in " +
         platform::Quoted(search.settingsFile) + ":\n[" + kSettingsSection + "]\n" + kSettingsKey +
         "=D:\\Games\\Half-Life";
}

GameSearch FindGame() { return FindGame(PlacesSearched()); }

}  // namespace game_finder
