#include "game_files/near_misses.h"

#include <array>

#include "platform/ascii_case.h"

namespace game_files {
namespace {

// The last ".ext" of `name`, or nothing when it has none or is only one.
std::string_view LastExtension(std::string_view name) {
  const size_t dot = name.rfind('.');
  if (dot == std::string_view::npos || dot == 0) return {};
  return name.substr(dot);
}

// `name` without its last extension when Windows hides that one.
std::string_view WithoutHiddenExtension(std::string_view name) {
  const std::string_view extension = LastExtension(name);
  if (!IsHiddenExtension(extension)) return name;
  return name.substr(0, name.size() - extension.size());
}

}  // namespace

bool IsHiddenExtension(std::string_view extension) {
  static constexpr std::array<std::string_view, 12> kHidden = {".txt", ".ini",  ".inf",  ".log",
                                                               ".rtf", ".doc",  ".docx", ".wri",
                                                               ".htm", ".html", ".xml",  ".zip"};
  for (std::string_view hidden : kHidden) {
    if (platform::SameIgnoringAsciiCase(extension, hidden)) return true;
  }
  return false;
}

std::vector<std::string> NearMisses(std::string_view wanted, std::span<const std::string> names) {
  using platform::SameIgnoringAsciiCase;
  const std::string_view wantedStem = WithoutHiddenExtension(wanted);
  std::vector<std::string> found;
  for (const std::string& name : names) {
    if (SameIgnoringAsciiCase(name, wanted)) continue;  // the file itself
    const std::string_view stem = WithoutHiddenExtension(name);
    const bool oneMore = stem.size() < name.size() && SameIgnoringAsciiCase(stem, wanted);
    const bool ownDropped =
        wantedStem.size() < wanted.size() && SameIgnoringAsciiCase(name, wantedStem);
    const bool otherInPlace = wantedStem.size() < wanted.size() && stem.size() < name.size() &&
                              SameIgnoringAsciiCase(stem, wantedStem);
    if (oneMore || ownDropped || otherInPlace) found.push_back(name);
  }
  return found;
}

}  // namespace game_files
