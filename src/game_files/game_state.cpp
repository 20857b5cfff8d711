#include "game_files/game_state.h"

#include <windows.h>

#include <cstring>
#include <map>
#include <utility>

#include "game_files/running_game.h"
#include "platform/file_system.h"
#include "platform/files.h"
#include "platform/listing.h"

namespace game_files {
namespace {

// The folder's files through the file system in use, each looked at and each
// pair compared at most once.
class FilesOnDisk : public FolderFiles {
 public:
  explicit FilesOnDisk(const std::string& folder) : folder_(folder) {}

  FileLook Look(const std::string& name) override {
    const auto known = looks_.find(name);
    if (known != looks_.end()) return known->second;
    return looks_[name] = LookAt(PathOf(name));
  }

  Comparison Compare(const std::string& first, const std::string& second) override {
    const auto key = std::make_pair(first, second);
    const auto known = comparisons_.find(key);
    if (known != comparisons_.end()) return known->second;
    return comparisons_[key] = CompareFiles(PathOf(first), PathOf(second));
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

  // Reads both files side by side through two buffers kept for every
  // comparison: a fresh buffer per file costs more than reading it.
  Comparison CompareFiles(const std::string& first, const std::string& second) {
    platform::FileSystem& files = platform::Files();
    const platform::UniqueHandle a = OpenToRead(first);
    if (!a) return Comparison::kFirstUnreadable;
    const platform::UniqueHandle b = OpenToRead(second);
    if (!b) return Comparison::kSecondUnreadable;
    buffers_[0].resize(kBufferSize);
    buffers_[1].resize(kBufferSize);
    for (;;) {
      DWORD read[2] = {};
      if (!files.Read(a.get(), buffers_[0].data(), kBufferSize, read[0])) {
        return Comparison::kFirstUnreadable;
      }
      if (!files.Read(b.get(), buffers_[1].data(), kBufferSize, read[1])) {
        return Comparison::kSecondUnreadable;
      }
      if (read[0] != read[1] || std::memcmp(buffers_[0].data(), buffers_[1].data(), read[0]) != 0) {
        return Comparison::kDifferent;
      }
      if (read[0] == 0) return Comparison::kSame;
    }
  }

  // Read sharing everything, so that the look never stands in another writer's way.
  static platform::UniqueHandle OpenToRead(const std::string& path) {
    return platform::Files().Open(path, GENERIC_READ, platform::kShareAll, OPEN_EXISTING);
  }

  static FileLook LookAt(const std::string& path) {
    platform::FileSystem& files = platform::Files();
    const platform::UniqueHandle file = OpenToRead(path);
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

  static constexpr DWORD kBufferSize = 256 * 1024;

  std::string folder_;
  std::map<std::string, FileLook> looks_;
  std::map<std::pair<std::string, std::string>, Comparison> comparisons_;
  std::string buffers_[2];
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
