#include "game_files/switch_journal.h"

namespace game_files {
namespace {

constexpr std::string_view kFirstLine = "Orlwin Bot Launcher switch journal 1";
constexpr std::string_view kEndLine = "end";
constexpr std::string_view kLineEnd = "\r\n";
// Tags of an entry's line, before a tab and the live file's name (a file name
// holds no tab, CR or LF).
constexpr std::string_view kOld = "old\t";
constexpr std::string_view kNew = "new\t";

// A name below the game folder: not absolute, no drive, no "." or ".." part, so that a journal
// written by anyone else can make the launcher touch nothing outside the folder. (A part is
// split at every '\\' byte, a code page's second byte too: a name refused that way is only kept
// from being put back, never another file touched.)
bool IsBelowTheFolder(std::string_view name) {
  if (name.empty() || name.find_first_of(":/") != std::string_view::npos) return false;
  size_t start = 0;
  for (;;) {
    const size_t end = name.find('\\', start);
    const std::string_view part = name.substr(start, end - start);
    if (part.empty() || part == "." || part == "..") return false;
    if (end == std::string_view::npos) return true;
    start = end + 1;
  }
}

}  // namespace

std::string FormatJournal(const std::vector<JournalEntry>& entries) {
  std::string text(kFirstLine);
  text += kLineEnd;
  for (const JournalEntry& entry : entries) {
    text += entry.hadOld ? kOld : kNew;
    text += entry.live;
    text += kLineEnd;
  }
  text += kEndLine;
  text += kLineEnd;
  return text;
}

std::optional<std::vector<JournalEntry>> ParseJournal(std::string_view text) {
  std::vector<JournalEntry> entries;
  bool first = true;
  while (!text.empty()) {
    const size_t end = text.find(kLineEnd);
    if (end == std::string_view::npos) return std::nullopt;
    const std::string_view line = text.substr(0, end);
    text.remove_prefix(end + kLineEnd.size());
    if (first) {
      if (line != kFirstLine) return std::nullopt;
      first = false;
    } else if (line == kEndLine) {
      if (!text.empty()) return std::nullopt;
      return entries;
    } else if (line.starts_with(kOld) || line.starts_with(kNew)) {
      const std::string_view name = line.substr(kOld.size());
      if (!IsBelowTheFolder(name) || name.find_first_of("\t\r\n") != std::string_view::npos) {
        return std::nullopt;
      }
      entries.push_back({std::string(name), line.starts_with(kOld)});
    } else {
      return std::nullopt;
    }
  }
  return std::nullopt;
}

}  // namespace game_files
