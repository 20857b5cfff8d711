// The names a renamed prepared file really has when Explorer hides its extension.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "game_files/near_misses.h"

namespace {

using game_files::NearMisses;
using Names = std::vector<std::string>;

TEST(NearMisses, NameTheFilesThatDifferOnlyByAHiddenExtension) {
  const Names folder = {
      "bot.cfg",          "liblist.gam",          "liblist.gam.nnb.TXT", "mapcycle.nnb",
      "mapcycle.nnb.rtf", "mapcycle.nnb.txt.txt", "mapcycle.nnb.txt",    "mapcycle.nnb.txt.bak",
      "mapcycle.nnbtxt",  "Mapcycle.NNB.Txt.Txt"};
  // One more extension, its own dropped, another in its place; letter case aside.
  EXPECT_EQ(
      NearMisses("mapcycle.nnb.txt", folder),
      (Names{"mapcycle.nnb", "mapcycle.nnb.rtf", "mapcycle.nnb.txt.txt", "Mapcycle.NNB.Txt.Txt"}));
  EXPECT_EQ(NearMisses("liblist.gam.nnb", folder), (Names{"liblist.gam.nnb.TXT"}));
  // ".nnb" and ".bak" are shown by Explorer: liblist.gam is no near miss of liblist.gam.nnb,
  // nor is a backup copy one of anything.
  EXPECT_EQ(NearMisses("bot.cfg.nnb", folder), Names{});
  EXPECT_EQ(NearMisses("cs_italy.wpt", Names{"cs_italy.wpt.txt", "cs_italy.wpt.zip", "cs_italy",
                                             "de_dust.wpt.txt", ".txt"}),
            (Names{"cs_italy.wpt.txt", "cs_italy.wpt.zip"}));
  EXPECT_EQ(NearMisses("liblist_old.gam", Names{"liblist_old.gam.ini", "liblist_old"}),
            Names{"liblist_old.gam.ini"});
}

TEST(NearMisses, HiddenExtensionsAreThoseOfKnownTypesInAnyCase) {
  for (const char* hidden : {".txt", ".TXT", ".rtf", ".docx", ".htm", ".html", ".zip", ".ini"}) {
    EXPECT_TRUE(game_files::IsHiddenExtension(hidden)) << hidden;
  }
  for (const char* shown : {".nnb", ".gam", ".cfg", ".wpt", ".bak", "txt", ".tx", ".txtt", ""}) {
    EXPECT_FALSE(game_files::IsHiddenExtension(shown)) << shown;
  }
}

}  // namespace
