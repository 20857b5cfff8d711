// The switch's journal: what it records comes back whole, and a journal cut short at any byte, or
// not of its form, gives nothing (its switch had changed no live file yet).
#include "game_files/switch_journal.h"

#include <gtest/gtest.h>

namespace {

using game_files::JournalEntry;

TEST(SwitchJournal, EntriesComeBackWholeAndAJournalCutShortAnywhereGivesNothing) {
  const std::vector<JournalEntry> entries = {
      {"mapcycle.txt", true},
      {"maps\\cs_747.wpt", false},
      {"maps\\\x83\x5c.wpt", true},  // a character of code page 932 whose second byte is '\'
      {"maps\\end", true},           // a name like the end line
      {"liblist.gam", true}};
  const std::string text = game_files::FormatJournal(entries);
  EXPECT_EQ(game_files::ParseJournal(text), entries);
  EXPECT_EQ(game_files::ParseJournal(game_files::FormatJournal({})), std::vector<JournalEntry>{});
  for (size_t length = 0; length < text.size(); ++length) {
    EXPECT_EQ(game_files::ParseJournal(text.substr(0, length)), std::nullopt) << length;
  }
  // The text with the first `from` replaced by `to`.
  auto replaced = [&](const std::string& from, const std::string& to) {
    const size_t at = text.find(from);
    return text.substr(0, at) + to + text.substr(at + from.size());
  };
  const std::string misshapen[] = {
      text + "more",                               // past the end line
      "\n" + text,                                 // another first line
      replaced("old\t", "odd\t"),                  // an unknown tag
      replaced("\r\n", "\n"),                      // a line end of LF alone
      replaced("new\t", "new\t\t"),                // a tab in a name
      replaced("new\tmaps\\cs_747.wpt", "new\t"),  // no name
  };
  // A journal written by someone else may name nothing outside the game folder.
  for (const char* outside : {"..\\hl.exe", "maps\\..\\..\\hl.exe", "C:\\hl.exe", "\\hl.exe",
                              "maps/../x", "maps\\.\\x", "maps\\\\x"}) {
    EXPECT_EQ(game_files::ParseJournal(game_files::FormatJournal({{outside, false}})), std::nullopt)
        << outside;
  }
  for (const std::string& journal : misshapen) {
    EXPECT_EQ(game_files::ParseJournal(journal), std::nullopt) << journal;
  }
}

}  // namespace
