// Finding Half-Life on machines as players have them, each row a machine of its own (folders,
// launcher.ini, registry records, Steam's list, in a private folder and registry key); then what
// the main window does when the game is nowhere.
#include "game_finder/game_search.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <sstream>
#include <tuple>

#include "app/launcher.h"
#include "fakes.h"
#include "game_files/profiles.h"
#include "game_finder/game_folder.h"
#include "support/demo_game.h"
#include "support/file_tree.h"
#include "support/registry.h"
#include "temp_folder.h"

namespace {

using testing_support::TempFolder;
using Texts = std::vector<std::string>;

constexpr char kSierra[] = "C:\\SIERRA\\Half-Life";
const std::string kArabic = "\xD8\xA3\xD9\x84\xD8\xB9\xD8\xA7\xD8\xA8";  // UTF-8

// A machine, written "key: words | key: words": "game:" Half-Life folders ("exe:" before one:
// hl.exe only, "cs:" cstrike only); "ini:" the folder launcher.ini names; "install:" the
// registry's install folder (nothing after it: empty); "steam: user|machine", Steam's record of
// $\steam; "libraries:" its list, "numbered: N" N more ($\lib\0 ...); "program:" the program's
// folder. "$" is the case's folder, "C:\SIERRA" its $\SIERRA, "@x" Half-Life in library $\x.
// What is found, and the failure texts: each text names the given pieces in this order; "-"
// before a piece: it is not named at all.
struct Outcome {
  std::string found;
  std::string chooserFolder;  // HLPath
  Texts notFound;             // NotFoundFailureText
  Texts namedFolder;          // NamedFolderFailureText
};

// The machine's folders, registry key and current folder, gone again at the end.
class BuiltMachine {
 public:
  explicit BuiltMachine(const std::string& description) {
    // The registry's records go below HKLM's and HKCU's Software\<the folder's name>.
    key_ = "Software" + root_.path().substr(root_.path().rfind('\\'));
    const std::string key = key_ + "\\", steam = Path("$\\steam");
    places_ = {root_ / "launcher.ini", "", Path(kSierra), key};
    GetCurrentDirectoryA(MAX_PATH, previousFolder_);
    // A relative named folder must count from launcher.ini's folder, not from this one.
    SetCurrentDirectoryA("C:\\");
    std::istringstream words(description);
    std::string part;
    Texts libraries;
    for (std::string word; words >> word;) {
      if (word.ends_with(":") && !word.starts_with("exe:") && !word.starts_with("cs:")) {
        part = word;
        EXPECT_TRUE(part != "install:" ||
                    tools::RegisterInstallPath("", tools::RegistryView::k32Bit, key));
        continue;
      }
      if (word == "|") continue;
      const std::string path = Path(word);
      if (part == "game:") {
        const bool exeOnly = word.starts_with("exe:"), csOnly = word.starts_with("cs:");
        const std::string folder = Path(word.substr(exeOnly ? 4 : csOnly ? 3 : 0));
        EXPECT_TRUE(exeOnly || tools::WriteTextFile(folder + "\\cstrike\\liblist.gam", "g\r\n"));
        EXPECT_TRUE(csOnly || tools::WriteTextFile(folder + "\\hl.exe", "MZ"));
      }
      if (part == "ini:") {
        EXPECT_TRUE(
            tools::WriteTextFile(places_.settingsFile, "[Game]\r\nFolder=" + path + "\r\n"));
      }
      if (part == "install:") {
        EXPECT_TRUE(tools::RegisterInstallPath(path, tools::RegistryView::k32Bit, key));
      }
      EXPECT_TRUE(part != "steam:" || word != "user" || tools::RegisterSteamPath(steam, key));
      if (part == "steam:" && word == "machine") {
        EXPECT_TRUE(tools::SetRegistryValue(HKEY_LOCAL_MACHINE, key + "Software\\Valve\\Steam",
                                            "InstallPath", REG_SZ, steam + '\0',
                                            tools::RegistryView::k32Bit));
      }
      if (part == "libraries:") libraries.push_back(path);
      if (part == "numbered:") {
        for (int i = 0; i < std::stoi(word); ++i)
          libraries.push_back(Path("$\\lib\\" + std::to_string(i)));
      }
      if (part == "program:") places_.programFolder = path;
    }
    if (!libraries.empty()) {
      EXPECT_TRUE(tools::WriteTextFile(steam + "\\steamapps\\libraryfolders.vdf",
                                       tools::SteamLibraryList(libraries)));
    }
  }
  ~BuiltMachine() {
    SetCurrentDirectoryA(previousFolder_);
    // The keys the machine wrote, the deepest first.
    for (HKEY root : {HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE}) {
      for (const char* below : {"\\Software\\Valve\\Half-Life", "\\Software\\Valve\\Steam",
                                "\\Software\\Valve", "\\Software", ""}) {
        tools::DeleteRegistryKey(root, key_ + below, tools::RegistryView::k32Bit);
      }
    }
  }

  // `written` with "$", "C:\SIERRA" and "@x" spelt out.
  std::string Path(const std::string& written) const {
    std::string path;
    for (size_t i = 0; i < written.size(); ++i) {
      if (written[i] == '$') {
        path += root_.path();
      } else if (written.compare(i, 9, "C:\\SIERRA") == 0) {
        path += root_ / "SIERRA";
        i += 8;
      } else if (written[i] == '@') {
        const size_t end = std::min(written.find_first_of(" \n", i), written.size());
        path += root_ / (written.substr(i + 1, end - i - 1) + "\\steamapps\\common\\Half-Life");
        i = end - 1;
      } else {
        path += written[i];
      }
    }
    return path;
  }
  const game_finder::SearchPlaces& places() const { return places_; }

 private:
  TempFolder root_;
  std::string key_;
  game_finder::SearchPlaces places_;
  char previousFolder_[MAX_PATH] = {};
};

// Whether `text` names the pieces in order (and none of those after a "-").
void ExpectNames(const BuiltMachine& machine, const std::string& text, const Texts& pieces) {
  size_t at = 0;
  for (const std::string& piece : pieces) {
    if (piece.starts_with("-")) {
      EXPECT_EQ(text.find(machine.Path(piece.substr(1))), std::string::npos) << piece << "\n"
                                                                             << text;
      continue;
    }
    const std::string named = machine.Path(piece);
    const size_t next = text.find(named, at);
    EXPECT_NE(next, std::string::npos) << "not after the piece before: " << named << "\n" << text;
    if (next != std::string::npos) at = next + named.size();
  }
  if (pieces.empty()) {
    EXPECT_EQ(text, "");
  }
}

TEST(GameSearch, FindsTheFirstPlaceThatHoldsTheGameAndNamesThosePassedOver) {
  const char* const places = "Half-Life (hl.exe with a cstrike folder) is in none of the folders";
  const std::string registryNotes =
      "\nThe registry names no Half-Life install folder.\nThe registry names no Steam folder.";
  const struct {
    const char* what;
    std::string machine;
    Outcome outcome;
  } cases[] = {
      {"Steam's machine record leads to the game in its second library; the chooser takes it "
       "where the registry's install folder is gone",
       "game: exe:@steam @lib | install: $\\gone | steam: machine | libraries: $\\steam $\\lib",
       {"@lib", "@lib", {}, {}}},
      {"the registry's install folder counts for the chooser as it is, when it is a folder",
       "game: @steam cs:$\\hl | install: $\\hl | steam: machine",
       {"@steam", "$\\hl", {}, {}}},
      {"without Steam's records its library list is not found",
       "game: @lib | libraries: $\\steam $\\lib",
       {"",
        "No Name",
        {places, "\n\nC:\\SIERRA\\Half-Life\n" + registryNotes + "\n\n", "-@lib"},
        {}}},
      {"nowhere: every place in order, then how to name another in launcher.ini",
       "install: | steam: machine | libraries: $\\steam $\\lib | program: $\\steam\\Downloads",
       {"",
        "",
        {places, "in this order:\n\nC:\\SIERRA\\Half-Life\n", "@steam  (Steam)\n",
         "@lib  (Steam)\n\n", "To use Half-Life in another folder, name it in \"$\\launcher.ini\"",
         "-Downloads"},
        {}}},
      {"Half-Life without Counter-Strike is passed over and named so",
       "game: exe:C:\\SIERRA\\Half-Life | install: $\\gone",
       {"",
        "$\\gone",
        {"\n\nC:\\SIERRA\\Half-Life  (holds hl.exe but no cstrike folder)\n",
         "$\\gone  (the registry's Half-Life install folder)\n"},
        {}}},
      {"a relative named folder counts from launcher.ini's folder and comes first",
       "game: C:\\SIERRA\\Half-Life $\\named $\\exe | ini: named | install: $\\exe | "
       "program: $\\exe",
       {"$\\named", "$\\named", {}, {}}},
      {"a named folder without hl.exe is reported, and the usual places are looked in",
       "game: C:\\SIERRA\\Half-Life cs:$\\named | ini: $\\named",
       {kSierra,
        kSierra,
        {},
        {"The folder \"$\\named\" named in \"$\\launcher.ini\" holds no hl.exe, so Half-Life is "
         "looked for in its usual places instead."}}},
      {"a Steam library and a named folder in letters the code page cannot hold are not looked "
       "in, and named as such",
       "ini: E:\\" + kArabic + " | steam: machine | libraries: D:\\" + kArabic,
       {"",
        "No Name",
        {"C:\\SIERRA\\Half-Life\n", "@steam  (Steam)\n",
         "Not looked in, their names having characters that the system's code page (",
         ") cannot hold:\nE:\\", "\nD:\\", "\\steamapps\\common\\Half-Life\n"},
        {"The folder \"E:\\", "\" named in \"$\\launcher.ini\" cannot be looked in"}}},
      {"ten libraries are all named",
       "steam: user | numbered: 10",
       {"", "No Name", {"@lib\\8  (Steam)\n@lib\\9  (Steam)\n\n"}, {}}},
      {"of fifteen libraries twelve places are named, and the rest counted",
       "steam: user | numbered: 15",
       {"", "No Name", {"@lib\\9  (Steam)\nand 5 more\n\n", "-@lib\\10"}, {}}},
  };
  for (const auto& [what, machine, outcome] : cases) {
    SCOPED_TRACE(what);
    const BuiltMachine built(machine);
    const game_finder::GameSearch search = game_finder::FindGame(built.places());
    EXPECT_EQ(search.found, built.Path(outcome.found));
    EXPECT_EQ(game_finder::HalfLifeFolderFor(game_finder::Job::kSwitchOrLaunch, search),
              built.Path(outcome.found.empty() ? kSierra : outcome.found));
    EXPECT_EQ(game_finder::HalfLifeFolderFor(game_finder::Job::kMapCycles, search),
              built.Path(outcome.chooserFolder));
    ExpectNames(built, game_finder::NotFoundFailureText(search), outcome.notFound);
    ExpectNames(built, game_finder::NamedFolderFailureText(search), outcome.namedFolder);
  }
}

// Nothing anywhere: the switch and the launch work in C:\SIERRA; the main window says the folder
// launcher.ini names holds no game, then fails naming the places looked in.
TEST(GameSearch, NowhereTheMainWindowReportsTheNamedFolderThenFailsAsBefore) {
  const BuiltMachine built("game: cs:$\\named | ini: $\\named | install: $\\gone");
  const game_finder::SearchPlacesInUse use(built.places());
  EXPECT_EQ(game_finder::SwitchCounterStrikeFolder(), built.Path("C:\\SIERRA\\Half-Life\\cstrike"));

  testing_support::RecordingMessageBoxes messages;
  testing_support::ScriptedRandom random;
  app::Program program({messages, random});
  program.launcher()->and_Click();
  program.launcher()->cstrike_Click();
  ASSERT_EQ(messages.shown.size(), 5u);  // the profile's message first, then a pair each
  EXPECT_EQ(std::tie(messages.shown[0].text, messages.shown[0].title, messages.shown[0].style),
            std::tuple(game_files::ProfileFor(game_files::ProfileId::kAndroid).message,
                       "MsgBox Demonstration", platform::MessageStyle::kInformation));
  const std::string named = "The folder \"" + built.Path("$\\named") + "\" named in";
  const Texts places = {"Half-Life (hl.exe with a cstrike folder) is in none of the folders",
                        "\n$\\named  (named in the settings file)\n", "C:\\SIERRA\\Half-Life\n",
                        "$\\gone  (the registry's Half-Life install folder)\n"};
  for (size_t message : {1, 3}) {
    EXPECT_EQ(messages.shown[message].text.find(named), 0u) << messages.shown[message].text;
    EXPECT_EQ(messages.shown[message].style, platform::MessageStyle::kInformation);
  }
  ExpectNames(built, messages.shown[2].text, places);
  EXPECT_EQ(messages.shown[2].text.find(
                built.Path("Could not open the folder \"C:\\SIERRA\\Half-Life\\cstrike\"")),
            0u);
  EXPECT_NE(messages.shown[2].text.find("No file was changed.\n\n"), std::string::npos);
  ExpectNames(built, messages.shown[4].text, places);
  EXPECT_EQ(messages.shown[4].text.find(
                built.Path("Could not open the folder \"C:\\SIERRA\\Half-Life\"")),
            0u);
  EXPECT_NE(messages.shown[4].text.find("Counter-Strike was not started.\n\n"), std::string::npos);
  EXPECT_FALSE(program.ended());
}

// The program asks Windows for no "There is no disk in the drive" box.
TEST(GameSearch, TheProgramAsksForNoBoxWhenADriveHasNoMedium) {
  SetErrorMode(0);
  testing_support::RecordingMessageBoxes messages;
  testing_support::ScriptedRandom random;
  app::Program program({messages, random});
  const UINT mode = SetErrorMode(0);
  EXPECT_EQ(mode & (SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX),
            static_cast<UINT>(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX));
}

}  // namespace
