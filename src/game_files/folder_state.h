// Which bot profile the game will run, read from the Counter-Strike folder's
// files alone: nothing is written and nothing kept between runs, so the live
// files stay the only trace of a switch. Window-free: the files are asked for
// through FolderFiles.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "game_files/profiles.h"

namespace game_files {

inline constexpr size_t kProfileCount = static_cast<size_t>(ProfileId::kRestore) + 1;

enum class FileKind { kAbsent, kFile, kFolder, kUnreadable };

struct FileLook {
  FileKind kind = FileKind::kAbsent;
  std::uint64_t size = 0;  // of a file
};

enum class Comparison { kSame, kDifferent, kFirstUnreadable, kSecondUnreadable };

// The files of one Counter-Strike folder as the state asks for them, each
// name relative to that folder. Asked the same twice, an answer may come from
// what was found the first time.
class FolderFiles {
 public:
  virtual ~FolderFiles() = default;
  virtual FileLook Look(const std::string& name) = 0;
  // Whether two files Look found to be of the same size hold the same bytes.
  virtual Comparison Compare(const std::string& first, const std::string& second) = 0;
  // The file names kWaypointPattern lists; false when the listing failed.
  virtual bool ListWaypoints(std::vector<std::string>& names) = 0;
  // The names of the files in the folder that holds `name`.
  virtual std::vector<std::string> NamesBeside(const std::string& name) = 0;
};

// A prepared copy that is not there (or is a folder), with the files beside it
// that differ from it only by an extension Explorer hides.
struct MissingCopy {
  std::string name;
  std::vector<std::string> nearMisses;
  bool operator==(const MissingCopy&) const = default;
};

struct ProfileState {
  // Every live file of the profile's switch is byte for byte its prepared copy,
  // and for a profile with a waypoint set the waypoint files are that set.
  bool live = false;
  std::vector<MissingCopy> missing;     // its switch would stop for these
  std::vector<std::string> unreadable;  // prepared copies that cannot be read
  bool ready() const { return missing.empty() && unreadable.empty(); }
};

// Indexed by ProfileId. Several profiles are live when their prepared copies
// are the same bytes; none when the files are no profile's.
using FilesState = std::array<ProfileState, kProfileCount>;

FilesState JudgeFiles(FolderFiles& files);

}  // namespace game_files
