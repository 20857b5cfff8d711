#include "support/demo_game.h"

#include <windows.h>

#include "support/file_tree.h"
#include "support/registry.h"

namespace tools {
namespace {

const std::vector<std::string> kWaypointsNNBot = {"cs_assault", "cs_docks", "cs_estate", "cs_italy",
                                                  "cs_office",  "de_dust",  "de_nuke"};
const std::vector<std::string> kWaypointsRambot = {
    "cs_747",   "cs_assault", "cs_estate", "cs_iraq",    "cs_militia",
    "cs_tomte", "de_aztec",   "de_cbble",  "de_prodigy", "de_train"};

struct PreparedCycle {
  const char* file;
  std::vector<std::string> maps;
};

std::string Lines(const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& line : lines) text += line + "\r\n";
  return text;
}

}  // namespace

const std::vector<std::string>& DemoCounterStrikeMaps() {
  static const std::vector<std::string> maps = {
      "as_oilrig", "cs_747",     "cs_assault", "cs_backalley", "cs_docks", "cs_estate",
      "cs_italy",  "cs_militia", "cs_office",  "de_aztec",     "de_cbble", "de_dust",
      "de_dust2",  "de_inferno", "de_nuke",    "de_prodigy",   "de_train", "de_vertigo"};
  return maps;
}

std::string DemoFileContent(const std::string& name) {
  if (name.rfind("mapcycle", 0) == 0) {
    // Each profile's rotation is a different slice of the maps.
    const std::vector<std::string>& maps = DemoCounterStrikeMaps();
    size_t seed = 0;
    for (char c : name) seed = seed * 31 + static_cast<unsigned char>(c);
    std::vector<std::string> cycle;
    for (size_t i = 0; i < 6; ++i) cycle.push_back(maps[(seed + i * 5) % maps.size()]);
    return Lines(cycle);
  }
  if (name.rfind("liblist", 0) == 0) {
    return Lines({"// " + name, "game \"Counter-Strike\"", "gamedll \"dlls\\mp.dll\"",
                  "// installed from " + name});
  }
  if (name.rfind("bot.cfg", 0) == 0) return Lines({"// bot settings from " + name, "bot_skill 3"});
  return "waypoints from " + name + "\r\n";
}

bool InstallDemoGame(const std::string& halfLife) {
  const std::string cstrike = halfLife + "\\cstrike";
  bool ok = true;
  auto put = [&](const std::string& folder, const std::string& name) {
    ok = WriteTextFile(folder + "\\" + name, DemoFileContent(name)) && ok;
  };
  // The prepared copies of every profile and the files of on-line play.
  for (const char* name :
       {"mapcycle.and.txt", "mapcycle.bob.txt", "mapcycle.nnb.txt", "mapcycle.ramb.txt",
        "mapcycle.rea.txt", "mapcycle.red.txt", "mapcycle.swa.txt", "mapcycle.old.txt",
        "liblist.gam.and", "liblist.gam.bob", "liblist.gam.nnb", "liblist.gam.ramb",
        "liblist.gam.red", "liblist.gam.swa", "liblist_old.gam", "bot.cfg.nnb", "bot.cfg.rea",
        "bot.cfg.red"}) {
    put(cstrike, name);
  }
  // The live files start as the on-line versions.
  ok = WriteTextFile(cstrike + "\\mapcycle.txt", DemoFileContent("mapcycle.old.txt")) && ok;
  ok = WriteTextFile(cstrike + "\\liblist.gam", DemoFileContent("liblist_old.gam")) && ok;
  ok = WriteTextFile(cstrike + "\\bot.cfg", DemoFileContent("bot.cfg.red")) && ok;
  for (const std::string& map : DemoCounterStrikeMaps()) {
    ok = WriteTextFile(cstrike + "\\maps\\" + map + ".bsp", "demo map " + map + "\r\n") && ok;
  }
  for (const std::string& map : kWaypointsNNBot) put(cstrike + "\\maps\\nnb", map + ".wpt");
  for (const std::string& map : kWaypointsRambot) put(cstrike + "\\maps\\ram", map + ".wpt");

  // A second modification with a rotation of its own.
  const std::string valve = halfLife + "\\valve";
  for (const char* map : {"bounce", "crossfire", "datacore", "frenzy", "gasworks", "stalkyard",
                          "snark_pit", "subtransit", "undertow"}) {
    ok = WriteTextFile(valve + "\\maps\\" + map + ".bsp", std::string("demo map ") + map) && ok;
  }
  ok = WriteTextFile(valve + "\\mapcycle.txt", Lines({"crossfire", "datacore", "stalkyard"})) && ok;
  return ok;
}

// Steam doubles the backslashes of the paths it writes. The demo's Half-Life
// (app 70) is in the second library.
std::string SteamLibraryList(const std::vector<std::string>& libraries) {
  auto escaped = [](std::string path) {
    for (size_t at = 0; (at = path.find('\\', at)) != std::string::npos; at += 2) {
      path.insert(at, 1, '\\');
    }
    return path;
  };
  std::string text = "\"libraryfolders\"\n{\n";
  for (size_t i = 0; i < libraries.size(); ++i) {
    text += "\t\"" + std::to_string(i) + "\"\n\t{\n\t\t\"path\"\t\t\"" + escaped(libraries[i]) +
            "\"\n\t\t\"label\"\t\t\"\"\n\t\t\"apps\"\n\t\t{\n" +
            (i == 1 ? "\t\t\t\"70\"\t\t\"502939281\"\n" : "") + "\t\t}\n\t}\n";
  }
  return text + "}\n";
}

bool InstallDemoGameAsSteam(const std::string& gameExecutable) {
  const std::string halfLife = kDemoSteamHalfLifeFolder;
  return InstallDemoGame(halfLife) &&
         CopyFileA(gameExecutable.c_str(), (halfLife + "\\hl.exe").c_str(), FALSE) &&
         WriteTextFile(std::string(kDemoSteamFolder) + "\\steamapps\\libraryfolders.vdf",
                       SteamLibraryList({kDemoSteamFolder, kDemoSteamLibrary})) &&
         RegisterSteamPath(kDemoSteamFolder);
}

void RemoveDemoSteamInstall() {
  UnregisterSteam();
  RemoveTree(kDemoSteamFolder);
  RemoveTree(kDemoSteamLibrary);
}

void LeaveNoGameToFind() {
  RemoveDemoSteamInstall();
  DeleteFileA((std::string(kDemoHalfLifeFolder) + "\\hl.exe").c_str());
}

}  // namespace tools
