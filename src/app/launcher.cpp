#include "app/launcher.h"

#include "app/activation.h"
#include "app/folder_turn.h"
#include "app/game_launch.h"
#include "app/launcher_layout.h"
#include "game_finder/game_search.h"
#include "game_finder/install_path.h"
#include "platform/path.h"
#include "platform/text.h"

namespace app {

Launcher::Launcher(Program& program) : platform::Form(LauncherLayout()), program_(program) {}

void Launcher::OnControlEvent(int controlId, platform::ControlEvent event) {
  if (event != platform::ControlEvent::kClick) return;
  switch (controlId) {
    case kAnd:
      return and_Click();
    case kBob:
      return bob_Click();
    case kNnb:
      return nnb_Click();
    case kRam:
      return ram_Click();
    case kRea:
      return rea_Click();
    case kRed:
      return red_Click();
    case kSwa:
      return swa_Click();
    case kRes:
      return res_Click();
    case kCstrike:
      return cstrike_Click();
    case kCycle:
      return cycle_Click();
    case kExit:
      return exit_Click();
    default:
      return;
  }
}

// Closing the main window unloads it; with no other window loaded the
// program ends.
void Launcher::OnCloseBox() { program_.Unload(kId); }

namespace {

// A switch works in the Counter-Strike folder of the Half-Life found on this
// machine, or of C:\SIERRA\Half-Life when none is found.
std::string CounterStrikeFolder(const game_finder::GameSearch& search) {
  using namespace game_finder;
  const std::string halfLife = search.found.empty() ? kSierraHalfLife : search.found;
  return platform::PathBelow(halfLife, kCounterStrikeFolder, platform::AnsiLeadByte);
}

}  // namespace

void Launcher::Activate(ProfileId profile) {
  using namespace game_finder;
  platform::MessageBoxes& messages = program_.services().messages;
  auto locate = [&] {
    const GameSearch search = LocateGame(messages, window());
    return SwitchFolder{CounterStrikeFolder(search), NotFoundFailureText(search)};
  };
  ActivateProfile(ProfileFor(profile), locate, messages, window());
}

void Launcher::and_Click() { Activate(ProfileId::kAndroid); }
void Launcher::bob_Click() { Activate(ProfileId::kBobabot); }
void Launcher::nnb_Click() { Activate(ProfileId::kNNBot); }
void Launcher::ram_Click() { Activate(ProfileId::kRambot); }
void Launcher::rea_Click() { Activate(ProfileId::kRealbot); }
void Launcher::red_Click() { Activate(ProfileId::kRedubot); }
void Launcher::swa_Click() { Activate(ProfileId::kSwatBot); }
void Launcher::res_Click() { Activate(ProfileId::kRestore); }

void Launcher::Form_Load() { game_finder::ReadInstallPath(program_.HLPath); }

void Launcher::PutBackCutShortSwitch() {
  const game_finder::GameSearch search =
      game_finder::FindGame(game_finder::SettingsFileBesideProgram(), game_finder::ProgramFolder());
  PutBackAtStart(CounterStrikeFolder(search), program_.services().messages, window());
}

// The game starts from the Half-Life folder found on this machine, or from
// C:\SIERRA\Half-Life when none is found. On a failure the program stays open
// so that the user can put things right and try again.
void Launcher::cstrike_Click() {
  platform::MessageBoxes& messages = program_.services().messages;
  const game_finder::GameSearch search = game_finder::LocateGame(messages, window());
  const std::string folder = search.found.empty() ? game_finder::kSierraHalfLife : search.found;
  if (LaunchGame(folder, messages, window(), game_finder::NotFoundFailureText(search))) {
    program_.End();
  }
}

// Loading the chooser lists the modifications; it may unload itself while it
// loads, and then unloading this window leaves none and ends the program.
void Launcher::cycle_Click() {
  program_.Show(FormId::kMods);
  program_.Unload(kId);
}

void Launcher::exit_Click() { program_.End(); }

}  // namespace app
