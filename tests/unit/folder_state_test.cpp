// Which profiles the Counter-Strike folder's files make live, and what each profile's switch
// would miss: every rule a row, on a folder held in memory.
#include "game_files/folder_state.h"

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "platform/ascii_case.h"
#include "platform/path.h"

namespace {

using game_files::FileKind;
using game_files::FileLook;
using game_files::MissingCopy;
using game_files::ProfileFor;
using game_files::ProfileId;

bool ShiftJisLeadByte(unsigned char byte) {
  return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

std::string Key(std::string name) {
  for (char& c : name) c = platform::AsciiLower(c);
  return name;
}

// A Counter-Strike folder in memory: names compared ignoring ASCII case, split by the characters
// of code page 932, as Windows there would.
class FakeFolder : public game_files::FolderFiles {
 public:
  struct Entry {
    std::string name;
    FileKind kind = FileKind::kFile;
    std::string bytes;
  };

  void Put(const std::string& name, const std::string& bytes, FileKind kind = FileKind::kFile) {
    entries_[Key(name)] = {name, kind, bytes};
  }
  void Remove(const std::string& name) { entries_.erase(Key(name)); }
  // Every prepared copy with bytes of its own, and `live` installed.
  void InstallWithEveryCopy(ProfileId live) {
    for (size_t i = 0; i < game_files::kProfileCount; ++i) {
      for (const auto& change : PlanActivation(ProfileFor(static_cast<ProfileId>(i)), {})) {
        Put(change.source, "prepared " + change.source);
      }
    }
    Install(live);
  }
  void Install(ProfileId id) {
    const game_files::Profile& profile = ProfileFor(id);
    if (!profile.waypoints.empty()) {
      std::erase_if(entries_, [](const auto& entry) { return IsListedWaypoint(entry.second); });
    }
    for (const auto& change : PlanActivation(profile, {})) Put(change.live, Content(change.source));
  }
  std::string Content(const std::string& name) const { return entries_.at(Key(name)).bytes; }

  FileLook Look(const std::string& name) override {
    const auto found = entries_.find(Key(name));
    if (found == entries_.end()) return {};
    return {found->second.kind, found->second.bytes.size()};
  }
  game_files::Comparison Compare(const std::string& first, const std::string& second) override {
    using game_files::Comparison;
    const std::string* bytes[2] = {Bytes(first), Bytes(second)};
    if (!bytes[0]) return Comparison::kFirstUnreadable;
    if (!bytes[1]) return Comparison::kSecondUnreadable;
    return *bytes[0] == *bytes[1] ? Comparison::kSame : Comparison::kDifferent;
  }
  bool ListWaypoints(std::vector<std::string>& names) override {
    for (const auto& [key, entry] : entries_) {
      if (IsListedWaypoint(entry)) names.push_back(entry.name.substr(5));
    }
    return !listingFails;
  }
  std::vector<std::string> NamesBeside(const std::string& name) override {
    std::vector<std::string> names;
    for (const auto& [key, entry] : entries_) {
      if (entry.kind != FileKind::kFolder && Key(FolderOf(entry.name)) == Key(FolderOf(name))) {
        names.push_back(entry.name.substr(entry.name.size() - NameOf(entry.name).size()));
      }
    }
    return names;
  }

  bool listingFails = false;

 private:
  const std::string* Bytes(const std::string& name) const {
    const auto found = entries_.find(Key(name));
    return found != entries_.end() && found->second.kind == FileKind::kFile ? &found->second.bytes
                                                                            : nullptr;
  }
  static std::string FolderOf(const std::string& name) {
    const size_t separator = platform::LastSeparator(name, ShiftJisLeadByte);
    return separator == std::string::npos ? "" : name.substr(0, separator);
  }
  static std::string NameOf(const std::string& name) {
    return name.substr(platform::LastSeparator(name, ShiftJisLeadByte) + 1);
  }
  // A file directly in "maps" ending in ".wpt", as the waypoint pattern lists them.
  static bool IsListedWaypoint(const Entry& entry) {
    return entry.kind != FileKind::kFolder && Key(FolderOf(entry.name)) == "maps" &&
           Key(entry.name).ends_with(".wpt");
  }

  std::map<std::string, Entry> entries_;
};

struct Row {
  const char* what;
  ProfileId installed;
  std::function<void(FakeFolder&)> change;
  std::vector<ProfileId> live;
  // What the switch to `checked` would miss or could not read.
  ProfileId checked = ProfileId::kNNBot;
  std::vector<MissingCopy> missing = {};
  std::vector<std::string> unreadable = {};
};

void Nothing(FakeFolder&) {}

TEST(FolderState, EachRuleOfWhatIsLiveAndWhatIsMissing) {
  using enum ProfileId;
  const std::string hyou = "\x95\x5c";  // 表 in code page 932: its second byte is '\'
  const Row rows[] = {
      // Each profile just installed:
      // MainWindowStateTest.ExactlyTheLiveProfilesButtonsReadAsChecked.
      {"a profile just installed", kNNBot, Nothing, {kNNBot}},
      {"Realbot after NNBot keeps NNBot's waypoints and library list",
       kNNBot,
       [](FakeFolder& f) { f.Install(kRealbot); },
       {kRealbot}},
      {"Android after NNBot leaves bot.cfg and the waypoints",
       kNNBot,
       [](FakeFolder& f) { f.Install(kAndroid); },
       {kAndroid}},
      {"a tie: Bobabot's prepared copies are Android's bytes",
       kAndroid,
       [](FakeFolder& f) {
         f.Put("mapcycle.bob.txt", f.Content("mapcycle.and.txt"));
         f.Put("liblist.gam.bob", f.Content("liblist.gam.and"));
       },
       {kAndroid, kBobabot}},
      {"a stray waypoint", kNNBot, [](FakeFolder& f) { f.Put("maps\\de_aztec.wpt", "x"); }, {}},
      {"a stray waypoint named in the player's code page",
       kNNBot,
       [&](FakeFolder& f) { f.Put("maps\\" + hyou + ".wpt", "x"); },
       {}},
      {"a waypoint of the set named in other letter case",
       kNNBot,
       [](FakeFolder& f) {
         f.Remove("maps\\cs_office.wpt");
         f.Put("MAPS\\CS_Office.WPT", f.Content("maps\\nnb\\cs_office.wpt"));
       },
       {kNNBot}},
      {"a waypoint of the set gone",
       kNNBot,
       [](FakeFolder& f) { f.Remove("maps\\cs_docks.wpt"); },
       {}},
      {"a live file of the same size, one byte changed",
       kRedubot,
       [](FakeFolder& f) {
         std::string bytes = f.Content("bot.cfg");
         bytes.back() ^= 1;
         f.Put("bot.cfg", bytes);
       },
       {},
       kRedubot},
      {"a live file that is a folder",
       kSwatBot,
       [](FakeFolder& f) { f.Put("liblist.gam", "", FileKind::kFolder); },
       {},
       kSwatBot},
      {"a live file that cannot be read",
       kSwatBot,
       [](FakeFolder& f) { f.Put("mapcycle.txt", "", FileKind::kUnreadable); },
       {},
       kSwatBot},
      {"a missing prepared copy, with its near misses",
       kNNBot,
       [](FakeFolder& f) {
         f.Remove("maps\\nnb\\cs_office.wpt");
         f.Put("maps\\nnb\\cs_office.wpt.txt", "renamed in Explorer");
         f.Put("maps\\cs_office.wpt.txt", "not beside it");
       },
       {},
       kNNBot,
       {{"maps\\nnb\\cs_office.wpt", {"cs_office.wpt.txt"}}}},
      {"a prepared copy that is a folder counts as missing",
       kRedubot,
       [](FakeFolder& f) { f.Put("bot.cfg.nnb", "", FileKind::kFolder); },
       {kRedubot},
       kNNBot,
       {{"bot.cfg.nnb", {}}}},
      {"an unreadable prepared copy, shared by two profiles",
       kAndroid,
       [](FakeFolder& f) { f.Put("liblist.gam.nnb", "", FileKind::kUnreadable); },
       {kAndroid},
       kRealbot,
       {},
       {"liblist.gam.nnb"}},
      {"no waypoint listing: only profiles without a set can be told",
       kNNBot,
       [](FakeFolder& f) {
         f.Install(kAndroid);
         f.listingFails = true;
       },
       {kAndroid}},
      {"", kNNBot, [](FakeFolder& f) { f.listingFails = true; }, {}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(std::string(row.what) + " (" + ProfileFor(row.installed).name + " installed)");
    FakeFolder folder;
    folder.InstallWithEveryCopy(row.installed);
    row.change(folder);
    const game_files::FilesState state = game_files::JudgeFiles(folder);
    std::vector<ProfileId> live;
    for (size_t i = 0; i < state.size(); ++i) {
      if (state[i].live) live.push_back(static_cast<ProfileId>(i));
    }
    EXPECT_EQ(live, row.live);
    const game_files::ProfileState& checked = state[static_cast<size_t>(row.checked)];
    EXPECT_EQ(checked.missing, row.missing);
    EXPECT_EQ(checked.unreadable, row.unreadable);
    EXPECT_EQ(checked.ready(), row.missing.empty() && row.unreadable.empty());
  }
}

}  // namespace
