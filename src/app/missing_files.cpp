#include "app/missing_files.h"

#include "app/near_misses.h"
#include "platform/listing.h"
#include "platform/path.h"
#include "platform/text.h"

namespace app {

std::string ListMissingWithNearMisses(const std::vector<std::string>& missingPaths) {
  std::string text;
  bool anyNearMiss = false;
  for (const std::string& path : missingPaths) {
    text += "\n" + path;
    const size_t separator = platform::LastSeparator(path, platform::AnsiLeadByte);
    if (separator == std::string::npos) continue;
    const std::string folder = path.substr(0, separator);
    const std::string name = path.substr(separator + 1);
    const platform::Listing listing =
        platform::ListNames(folder + "\\*", platform::ListFilter::kAllFiles);
    for (const std::string& nearMiss : NearMisses(name, listing.names)) {
      text += "\n    there is " + nearMiss + ": rename it to " + name;
      anyNearMiss = true;
    }
  }
  if (anyNearMiss) {
    text +=
        "\n\nExplorer hides extensions such as .txt, so a file renamed there may end in one "
        "more than it shows. To see them, tick File name extensions in Explorer's View tab "
        "(in Windows 11 the View menu, under Show), or untick \"Hide extensions for known file "
        "types\" in Folder Options, View.";
  }
  return text;
}

}  // namespace app
