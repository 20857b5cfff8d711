#include "app/launcher.h"

#include "app/launcher_layout.h"
#include "app/launcher_messages.h"
#include "game_files/folder_turn.h"
#include "game_files/game_launch.h"
#include "game_files/game_state.h"
#include "game_files/profile_switch.h"
#include "game_finder/game_folder.h"
#include "game_finder/install_path.h"

namespace app {

using namespace game_files;

namespace {

// Each profile's button.
constexpr std::pair<ProfileId, int> kProfileButtons[] = {
    {ProfileId::kAndroid, Launcher::kAnd}, {ProfileId::kBobabot, Launcher::kBob},
    {ProfileId::kNNBot, Launcher::kNnb},   {ProfileId::kRambot, Launcher::kRam},
    {ProfileId::kRealbot, Launcher::kRea}, {ProfileId::kRedubot, Launcher::kRed},
    {ProfileId::kSwatBot, Launcher::kSwa}, {ProfileId::kRestore, Launcher::kRes},
};

}  // namespace

Launcher::Launcher(Program& program) : platform::Form(LauncherLayout()), program_(program) {}

Launcher::Busy::Busy(Launcher& launcher) : launcher_(launcher) { launcher_.busy_ = true; }

Launcher::Busy::~Busy() {
  launcher_.busy_ = false;
  if (launcher_.statePending_) launcher_.ShowGameState();
}

void Launcher::ShowGameState() {
  if (busy_) {
    statePending_ = true;
    return;
  }
  statePending_ = false;
  stateShown_ = true;
  const game_finder::GameSearch search = game_finder::FindGame();
  const std::string folder = game_finder::SwitchCounterStrikeFolder(search);
  const GameState state = ReadGameState(folder);
  for (const auto& [profile, id] : kProfileButtons) {
    const bool live = state.profiles[static_cast<size_t>(profile)].live;
    SendMessageA(control(id), BM_SETCHECK, live ? BST_CHECKED : BST_UNCHECKED, 0);
    tips_.Set(window(), control(id), ProfileTipText(profile, state, folder));
  }
  tips_.Set(window(), control(kCstrike),
            LaunchTipText(
                state, game_finder::HalfLifeFolderFor(game_finder::Job::kSwitchOrLaunch, search)));
}

// The player comes back from another program, which may have changed the files.
// A box of this program closing activates the window too: what follows it shows
// the state itself.
void Launcher::OnActivated(HWND other) {
  if (!stateShown_) return;  // the first showing is AfterFirstPaint's
  if (other && GetWindowThreadProcessId(other, nullptr) == GetCurrentThreadId()) return;
  ShowGameState();
}

void Launcher::OnControlEvent(int controlId, platform::ControlEvent event) {
  // A click sent while a handler waits (by another program) waits for none.
  if (event != platform::ControlEvent::kClick || busy_) return;
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

// The profile's message comes first, before the game is looked for or any
// file is looked at.
void Launcher::Activate(ProfileId id) {
  const Busy busy(*this);
  SwitchTo(id);
  statePending_ = true;  // shown once, as the switch ends
}

void Launcher::SwitchTo(ProfileId id) {
  using platform::MessageStyle;
  platform::MessageBoxes& messages = program_.services().messages;
  const Profile& profile = ProfileFor(id);
  messages.Show(window(), profile.message, kActivationTitle, MessageStyle::kInformation);
  const game_finder::GameSearch search = SearchForGame();
  const SwitchOutcome outcome = SwitchProfile(
      profile, game_finder::SwitchCounterStrikeFolder(search), [&](const PutBack& putBack) {
        messages.Show(window(), PutBackText(putBack, profile.name), std::nullopt,
                      MessageStyle::kInformation);
      });
  if (outcome.result == SwitchResult::kSwitched) return;
  const std::string note = game_finder::NotFoundFailureText(search);
  messages.Show(window(),
                SwitchFailureText(outcome, profile.name) + (note.empty() ? "" : "\n\n" + note),
                std::nullopt, MessageStyle::kCritical);
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

void Launcher::StartUp() {
  using platform::MessageStyle;
  const Busy busy(*this);
  platform::MessageBoxes& messages = program_.services().messages;
  const std::string folder = game_finder::SwitchCounterStrikeFolder();
  const platform::Status failed = PutBackAtStart(folder, [&](const PutBack& putBack) {
    messages.Show(window(), PutBackText(putBack, {}), std::nullopt, MessageStyle::kInformation);
  });
  if (!failed.ok()) {
    messages.Show(window(), PutBackAtStartFailureText(folder, failed), std::nullopt,
                  MessageStyle::kCritical);
  }
}

// On a failure the program stays open so that the user can put things right
// and try again.
void Launcher::cstrike_Click() {
  using namespace game_finder;
  const Busy busy(*this);
  const GameSearch search = SearchForGame();
  const platform::Status launched = LaunchGame(HalfLifeFolderFor(Job::kSwitchOrLaunch, search));
  if (launched.ok()) {
    program_.End();
    return;
  }
  const std::string note = NotFoundFailureText(search);
  program_.services().messages.Show(
      window(), LaunchFailureText(launched) + (note.empty() ? "" : "\n\n" + note), std::nullopt,
      platform::MessageStyle::kCritical);
}

// Loading the chooser lists the modifications; it may unload itself while it
// loads, and then unloading this window leaves none and ends the program.
void Launcher::cycle_Click() {
  program_.Show(FormId::kMods);
  program_.Unload(kId);
}

void Launcher::exit_Click() { program_.End(); }

}  // namespace app
