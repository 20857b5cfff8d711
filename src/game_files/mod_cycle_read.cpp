// Opening a modification's rotation from disk: the file listing, the read and
// the system's upper-casing for matching lines against map names.
#include "game_files/cycle_file.h"
#include "game_files/mod_cycle.h"
#include "platform/files.h"
#include "platform/listing.h"
#include "platform/message_text.h"
#include "platform/text.h"

namespace game_files {

ModCycle ReadModCycle(const std::string& hlPath, const std::string& modDir) {
  ModCycle opened;
  opened.cyclePath = CycleFilePath(hlPath, modDir);
  const std::string pattern = MapFilesPattern(hlPath, modDir);
  platform::Listing files = platform::ListNames(pattern, platform::ListFilter::kOrdinaryFiles);
  if (!files.status.ok()) {
    opened.problem = files.status.Message();
    return opened;
  }
  if (files.names.empty()) {
    opened.problem = platform::NothingListedText(pattern);
    return opened;
  }
  platform::Status read = platform::ReadWholeFile(opened.cyclePath, opened.bytes);
  if (!read.ok()) {
    opened.problem = read.Message();
    return opened;
  }
  opened.rotation = cycle::ParseCycle(opened.bytes);
  opened.maps = MapsNotInCycle(MapNamesOf(files.names), opened.rotation,
                               [](std::string_view text) { return platform::UpperAnsi(text); });
  return opened;
}

}  // namespace game_files
