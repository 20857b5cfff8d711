#include "app/launcher.h"

#include "app/activation.h"
#include "app/folder_turn.h"
#include "app/game_launch.h"
#include "app/launcher_layout.h"
#include "game_finder/game_folder.h"
#include "game_finder/install_path.h"

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

game_finder::GameSearch Launcher::SearchForGame() {
  game_finder::GameSearch search = game_finder::FindGame();
  const std::string problem = game_finder::NamedFolderFailureText(search);
  if (!problem.empty()) {
    program_.services().messages.Show(window(), problem, std::nullopt,
                                      platform::MessageStyle::kInformation);
  }
  return search;
}

void Launcher::Activate(ProfileId profile) {
  auto locate = [&] {
    const game_finder::GameSearch search = SearchForGame();
    return SwitchFolder{game_finder::SwitchCounterStrikeFolder(search),
                        game_finder::NotFoundFailureText(search)};
  };
  ActivateProfile(ProfileFor(profile), locate, program_.services().messages, window());
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
  PutBackAtStart(game_finder::SwitchCounterStrikeFolder(), program_.services().messages, window());
}

// On a failure the program stays open so that the user can put things right
// and try again.
void Launcher::cstrike_Click() {
  using namespace game_finder;
  const GameSearch search = SearchForGame();
  if (LaunchGame(HalfLifeFolderFor(Job::kSwitchOrLaunch, search), program_.services().messages,
                 window(), NotFoundFailureText(search))) {
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
