// The record a switch keeps in the game folder while it changes live files, so
// that a switch cut short (killed, or the power lost) is put back by the next
// launcher that works there. Reading and writing its text needs no window.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace game_files {

// Its name in the game folder. It ends in ".tmp" like the switch's other
// files, but it is removed only once its switch has ended or been put back.
inline constexpr char kJournalName[] = "switch.launcher-journal.tmp";

// One live file the switch may change, relative to the game folder.
struct JournalEntry {
  std::string live;
  bool hadOld = false;  // a live file stood there: its bytes are kept aside until the end
  bool operator==(const JournalEntry&) const = default;
};

// The journal's text: a first line that names it, a line per entry, and an
// end line, so that a journal cut short while it was written is known.
std::string FormatJournal(const std::vector<JournalEntry>& entries);

// The entries of a whole journal; nothing for a journal cut short or not of
// this form (it was being written, so no live file had changed yet), or one
// that names a file outside the game folder.
std::optional<std::vector<JournalEntry>> ParseJournal(std::string_view text);

}  // namespace game_files
