#include "app/game_folder.h"

#include "app/install_path.h"
#include "app/steam_library_folders.h"
#include "platform/files.h"
#include "settings/module1.h"

namespace app {
namespace {

// At most this many places are named in a message; a machine with more Steam
// libraries gets a count of the rest.
constexpr size_t kPlacesNamed = 12;

std::string ReadText(const std::string& root, const std::string& key, const std::string& name) {
  std::string value;
  (void)settings::ReadSetting(root, key, name, "S", std::string(), value);
  return value;
}

// Steam records its folder per user (with forward slashes); its installer also
// records it for the machine.
std::string SteamFolder() {
  std::string folder = ReadText("HKCU", "Software\\Valve\\Steam", "SteamPath");
  if (folder.empty()) folder = ReadText("HKLM", "Software\\Valve\\Steam", "InstallPath");
  return WindowsFolder(folder);
}

// A library list that cannot be read only means fewer libraries.
std::vector<std::string> SteamLibraries(const std::string& steamFolder) {
  if (steamFolder.empty()) return {};
  std::string bytes;
  const platform::Status read = platform::ReadWholeFile(PathBelow(steamFolder, kSteamLibraryList),
                                                        bytes, kSteamLibraryFileLimit);
  return read.ok() ? SteamLibraryFolders(bytes) : std::vector<std::string>{};
}

const char* PlaceNote(PlaceKind kind) {
  switch (kind) {
    case PlaceKind::kNamed:
      return "  (named in the settings file)";
    case PlaceKind::kInstallPath:
      return "  (the registry's Half-Life install folder)";
    case PlaceKind::kSteamLibrary:
      return "  (Steam)";
    case PlaceKind::kSierra:
      break;
  }
  return "";
}

}  // namespace

std::string SettingsFileBesideProgram() {
  char self[MAX_PATH] = {};
  const DWORD length = GetModuleFileNameA(nullptr, self, MAX_PATH);
  std::string path(self, length < MAX_PATH ? length : 0);
  return path.substr(0, path.find_last_of('\\') + 1) + kSettingsFileName;
}

GameSearch FindGame(const std::string& settingsFile) {
  GameSearch search;
  search.settingsFile = settingsFile;
  GameRecords& records = search.records;
  // Without the settings file the reader leaves the empty default. A relative folder counts
  // from the settings file's folder, not from the current folder, which a switch leaves in the
  // Counter-Strike folder.
  records.namedFolder = ResolvedFrom(settingsFile.substr(0, settingsFile.find_last_of('\\') + 1),
                                     ReadText(settingsFile, kSettingsSection, kSettingsKey));
  records.installPath = ReadText("HKLM", kHalfLifeKey, kInstallPathValue);
  records.steamFolder = SteamFolder();
  records.steamLibraries = SteamLibraries(records.steamFolder);
  for (GamePlace& place : GamePlaces(records)) {
    const bool holdsGame = platform::FileExists(PathBelow(place.folder, kGameExecutable));
    search.looked.push_back(std::move(place));
    if (holdsGame) {
      search.found = search.looked.back().folder;
      break;
    }
  }
  return search;
}

std::string NamedFolderProblem(const GameSearch& search) {
  if (search.looked.empty() || search.looked.front().kind != PlaceKind::kNamed ||
      search.found == search.looked.front().folder) {
    return {};
  }
  return "The folder " + platform::Quoted(search.looked.front().folder) + " named in " +
         platform::Quoted(search.settingsFile) + " holds no " + kGameExecutable +
         ", so Half-Life is looked for in its usual places instead.";
}

std::string PlacesLookedIn(const GameSearch& search) {
  if (!search.found.empty()) return {};
  std::string text = std::string("Half-Life (") + kGameExecutable +
                     ") is in none of the folders looked in, in this order:\n";
  for (size_t i = 0; i < search.looked.size() && i < kPlacesNamed; ++i) {
    text += "\n" + search.looked[i].folder + PlaceNote(search.looked[i].kind);
  }
  if (search.looked.size() > kPlacesNamed) {
    text += "\nand " + std::to_string(search.looked.size() - kPlacesNamed) + " more";
  }
  std::string notes;
  if (search.records.installPath.empty()) {
    notes += "\nThe registry names no Half-Life install folder.";
  }
  if (search.records.steamFolder.empty()) notes += "\nThe registry names no Steam folder.";
  if (!notes.empty()) text += "\n" + notes;
  return text + "\n\nTo use Half-Life in another folder, name it in " +
         platform::Quoted(search.settingsFile) + ":\n[" + kSettingsSection + "]\n" + kSettingsKey +
         "=D:\\Games\\Half-Life";
}

GameSearch LocateGame(platform::MessageBoxes& messages, HWND owner) {
  GameSearch search = FindGame(SettingsFileBesideProgram());
  const std::string problem = NamedFolderProblem(search);
  if (!problem.empty()) {
    messages.Show(owner, problem, std::nullopt, platform::MessageStyle::kInformation);
  }
  return search;
}

}  // namespace app
