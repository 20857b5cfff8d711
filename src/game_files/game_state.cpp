#include "game_files/game_state.h"

#include <windows.h>

#include <map>
#include <optional>

#include "game_files/running_game.h"
#include "platform/file_system.h"
#include "platform/files.h"
#include "platform/listing.h"
#include "platform/path.h"
#include "platform/text.h"

namespace game_files {
namespace {

// The folder's files through the file system in use, each looked at and read
// at most once.
class FilesOnDisk : public FolderFiles {
 public:
  explicit FilesOnDisk(const std::string& folder) : folder_(folder) {}

  FileLook Look(const std::string& name) override {
    const auto known = looks_.find(name);
    if (known != looks_.end()) return known->second;
    return looks_[name] = LookAt(PathOf(name));
  }

  const std::string* Bytes(const std::string& name) override {
    auto known = bytes_.find(name);
    if (known == bytes_.end()) {
      std::string bytes;
      std::optional<std::string> read;
      if (platform::ReadWholeFile(PathOf(name), bytes).ok()) read = std::move(bytes);
      known = bytes_.emplace(name, std::move(read)).first;
    }
    return known->second ? &*known->second : nullptr;
  }

  bool ListWaypoints(std::vector<std::string>& names) override {
    platform::Listing listing =
        platform::ListNames(PathOf(kWaypointPattern), platform::ListFilter::kAllFiles);
    names = std::move(listing.names);
    return listing.status.ok();
  }

  std::vector<std::string> NamesBeside(const std::string& name) override {
    const std::string folder = platform::FolderOf(PathOf(name));
    return platform::ListNames(folder + "\\*", platform::ListFilter::kAllFiles).names;
  }

 private:
  std::string PathOf(const std::string& name) const { return folder_ + "\\" + name; }

  static FileLook LookAt(const std::string& path) {
    platform::FileSystem& files = platform::Files();
    const platform::UniqueHandle file = files.Open(
        path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, OPEN_EXISTING);
    if (file) {
      LARGE_INTEGER size{};
      if (!files.Size(file.get(), size)) return {FileKind::kUnreadable};
      return {FileKind::kFile, static_cast<std::uint64_t>(size.QuadPart)};
    }
    const DWORD error = GetLastError();
    if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) return {};
    // A folder cannot be opened as a file.
    const DWORD attributes = files.Attributes(path);
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY)) {
      return {FileKind::kFolder};
    }
    return {FileKind::kUnreadable};
  }

  std::string folder_;
  std::map<std::string, FileLook> looks_;
  std::map<std::string, std::optional<std::string>> bytes_;
};

}  // namespace

GameState ReadGameState(const std::string& folder) {
  FilesOnDisk files(folder);
  GameState state;
  state.profiles = JudgeFiles(files);
  state.gameRunning = GameRunsFrom(platform::FolderOf(folder));
  return state;
}

}  // namespace game_files
