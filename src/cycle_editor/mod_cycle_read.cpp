// Opening a modification's rotation from disk: the file listing, the read and
// the system's upper-casing for matching lines against map names.
#include "cycle_editor/cycle_file.h"
#include "cycle_editor/mod_cycle.h"
#include "cycle_editor/rotation_edits.h"
#include "platform/files.h"
#include "platform/listing.h"
#include "platform/message_text.h"
#include "platform/text.h"

namespace cycle_editor {

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
  opened.maps =
      cycle::MapsNotInCycle(MapNamesOf(files.names), opened.rotation,
                            [](std::string_view text) { return platform::UpperAnsi(text); });
  return opened;
}

}  // namespace cycle_editor
