// The main window: bot profile buttons, game launch, map cycle, exit.
#pragma once

#include "app/program.h"
#include "game_files/profiles.h"
#include "game_finder/game_search.h"
#include "platform/form.h"
#include "platform/tool_tips.h"

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

  // Reads the game folder afresh and shows it: the live profiles' buttons read
  // as checked, and each button's tip says what it needs. Deferred while a
  // handler runs, which shows it when it ends.
  void ShowGameState();
  // The tip of a control, as the tooltip holds it.
  std::string TipOf(int controlId) const { return tips_.Text(control(controlId)); }

 protected:
  void OnControlEvent(int controlId, platform::ControlEvent event) override;
  void OnCloseBox() override;
  void AfterFirstPaint() override { ShowGameState(); }
  void OnActivated(HWND other) override;

 private:
  // Looks for the game afresh for a switch or the launch; a folder the player
  // named that is not used is reported first.
  game_finder::GameSearch SearchForGame();
  // The switch to `profile`, then the state it left shown.
  void Activate(game_files::ProfileId profile);
  void SwitchTo(game_files::ProfileId profile);

  // Marks a handler running; a state shown for meanwhile is shown when it ends.
  class Busy {
   public:
    explicit Busy(Launcher& launcher);
    ~Busy();
    Busy(const Busy&) = delete;
    Busy& operator=(const Busy&) = delete;

   private:
    Launcher& launcher_;
  };

  Program& program_;
  platform::ToolTips tips_;
  bool busy_ = false;
  bool statePending_ = false;
  bool stateShown_ = false;
};

}  // namespace app
