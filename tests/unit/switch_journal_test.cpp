// The switch's journal: what it records comes back whole, and a journal cut short at any byte, or
// not of its form, gives nothing (its switch had changed no live file yet).
#include "app/switch_journal.h"

#include <gtest/gtest.h>

namespace {

using app::JournalEntry;

TEST(SwitchJournal, EntriesComeBackWholeAndAJournalCutShortAnywhereGivesNothing) {
  const std::vector<JournalEntry> entries = {
      {"mapcycle.txt", true},
      {"maps\\cs_747.wpt", false},
      {"maps\\\x83\x5c.wpt", true},  // a character of code page 932 whose second byte is '\'
      {"maps\\end", true},           // a name like the end line
      {"liblist.gam", true}};
  const std::string text = app::FormatJournal(entries);
  EXPECT_EQ(app::ParseJournal(text), entries);
  EXPECT_EQ(app::ParseJournal(app::FormatJournal({})), std::vector<JournalEntry>{});
  for (size_t length = 0; length < text.size(); ++length) {
    EXPECT_EQ(app::ParseJournal(text.substr(0, length)), std::nullopt) << length;
  }
  const std::string misshapen[] = {
      text + "more",                                              // past the end line
      "\n" + text,                                                // another first line
      std::string(text).replace(text.find("old\t"), 4, "odd\t"),  // an unknown tag
      std::string(text).replace(text.find("\r\n"), 2, "\n"),      // a line end of LF alone
      std::string(text).insert(text.find("new\t") + 4, "\t"),     // a tab in a name
      std::string(text).replace(text.find("new\tmaps\\cs_747.wpt"), 19, "new\t"),  // no name
  };
  for (const std::string& journal : misshapen) {
    EXPECT_EQ(app::ParseJournal(journal), std::nullopt) << journal;
  }
}

}  // namespace
