#include "mod_chooser/frm_mods.h"

#include "game_finder/game_folder.h"
#include "mod_chooser/mod_discovery.h"
#include "platform/about_box.h"
#include "platform/message_text.h"

namespace mod_chooser {
namespace {

// Messages of the load belong to the window the user sees: the main window
// while the chooser is still hidden, so that it cannot be used meanwhile.
HWND LoadMessageOwner(platform::FormHost& program, const FrmMods& chooser) {
  if (chooser.IsVisible() || !program.IsLoaded(platform::FormId::kLauncher))
    return chooser.window();
  return program.Loaded(platform::FormId::kLauncher)->window();
}

}  // namespace

FrmMods::FrmMods(platform::FormHost& program)
    : platform::Form(FrmModsLayout()), program_(program) {}

void FrmMods::OnControlEvent(int controlId, platform::ControlEvent event) {
  using platform::ControlEvent;
  if (controlId == kCmdEdit && event == ControlEvent::kClick) return cmdEdit_Click();
  if (controlId == kLstModList && event == ControlEvent::kDblClick) return lstModList_DblClick();
  if (controlId == kCmdClose && event == ControlEvent::kClick) return cmdClose_Click();
  if (controlId == kImage1 && event == ControlEvent::kClick) return Image1_Click();
}

// Closing the chooser unloads it; the program ends when no window is left.
void FrmMods::OnCloseBox() { program_.Unload(kId); }

// Lists the modifications in the Half-Life folder that the game's search gives
// the chooser (see game_finder::HalfLifeFolderFor); a folder the player named
// that is not used is reported first.
void FrmMods::Form_Load() {
  using platform::MessageStyle;
  platform::MessageBoxes& messages = program_.services().messages;
  const game_finder::GameSearch search = game_finder::FindGame();
  const std::string problem = game_finder::NamedFolderFailureText(search);
  if (!problem.empty()) {
    messages.Show(LoadMessageOwner(program_, *this), problem, std::nullopt,
                  MessageStyle::kInformation);
  }
  program_.HLPath = game_finder::HalfLifeFolderFor(game_finder::Job::kMapCycles, search);
  const std::string hlPath = program_.HLPath;
  if (hlPath.empty()) {
    messages.Show(LoadMessageOwner(program_, *this), kNotInstalledText, kNotInstalledTitle,
                  MessageStyle::kCritical);
    program_.Unload(kId);
    return;
  }
  Discovery found = DiscoverMods(hlPath);
  lstModList().Refill(std::move(found.mods));
  if (!found.failure.ok()) {
    messages.Show(LoadMessageOwner(program_, *this),
                  found.failure.Message() +
                      "\n\nOnly the modifications found before this problem are listed.",
                  std::nullopt, MessageStyle::kCritical);
  } else if (found.listed == 0) {
    messages.Show(LoadMessageOwner(program_, *this),
                  platform::NothingListedText(ModListingPattern(hlPath)),
                  platform::kCannotContinueTitle, MessageStyle::kCritical);
  }
}

void FrmMods::cmdClose_Click() {
  program_.Show(platform::FormId::kLauncher);
  program_.Unload(kId);
}

void FrmMods::Image1_Click() { platform::ShowAboutBox(program_.services().messages, window()); }

}  // namespace mod_chooser
