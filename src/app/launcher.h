// The main window: bot profile buttons, game launch, map cycle, exit.
#pragma once

#include "app/program.h"
#include "game_files/profiles.h"
#include "game_finder/game_search.h"
#include "platform/form.h"

namespace app {

class Launcher : public platform::Form {
 public:
  static constexpr FormId kId = FormId::kLauncher;

  enum ControlId {
    kExit = 100,
    kCycle,
    kRam,
    kCstrike,
    kRes,
    kSwa,
    kRed,
    kRea,
    kNnb,
    kAnd,
    kBob,
    kActivate,
    kWeb,
    kImage1,
  };

  explicit Launcher(Program& program);

  void Form_Load() override;
  void and_Click();
  void bob_Click();
  void nnb_Click();
  void ram_Click();
  void rea_Click();
  void red_Click();
  void swa_Click();
  void res_Click();
  void cstrike_Click();
  void cycle_Click();
  void exit_Click();

  // At the program's start, once the window shows and before it takes a click: a switch cut
  // short in the game folder (the launcher was killed or the power lost) is put back.
  void StartUp();

 protected:
  void OnControlEvent(int controlId, platform::ControlEvent event) override;
  void OnCloseBox() override;

 private:
  // Looks for the game afresh for a switch or the launch; a folder the player
  // named that is not used is reported first.
  game_finder::GameSearch SearchForGame();
  void Activate(game_files::ProfileId profile);

  Program& program_;
};

}  // namespace app
