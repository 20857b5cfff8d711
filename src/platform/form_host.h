// What a window reaches of the program around it: the shared strings, the
// outside world, and the other windows' load, show, hide and unload. The
// program's start implements it; a window never includes another window.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "platform/form.h"
#include "platform/message_box.h"
#include "platform/random.h"

namespace platform {

enum class FormId { kLauncher, kMods, kRotamund, kCount };

// What the windows use of the outside world; tests pass their own.
struct Services {
  MessageBoxes& messages;
  RandomSource& random;
};

class FormHost {
 public:
  // The Half-Life folder of the mod chooser and the editor: the registry's
  // install folder as it holds it ("No Name" when it holds none), or the folder
  // the game was found in (see game_finder::HalfLifeFolderFor).
  std::string HLPath;
  // The modification folder chosen in the mod chooser.
  std::string ModDir;

  virtual Services& services() = 0;

  // Loads the window if needed; it may unload itself while it loads.
  virtual void Load(FormId id) = 0;
  // Loads the window if needed, then shows it unless it unloaded itself.
  virtual void Show(FormId id) = 0;
  virtual void Hide(FormId id) = 0;
  // Hides the window and takes it out of the loaded ones (the program ends
  // when none is left); it is destroyed after the handler that ran returns.
  virtual void Unload(FormId id) = 0;
  virtual bool IsLoaded(FormId id) const = 0;
  // The window `id`, loaded first if it is not; nothing when it could not be
  // loaded or unloaded itself while it loaded.
  virtual Form* Loaded(FormId id) = 0;
  // Ends the program at once, whatever is loaded.
  virtual void End() = 0;

  // Fills the loaded map-cycle editor with the maps outside the rotation and
  // the lines of the rotation file at `cyclePath`, whose bytes were `fileBytes`
  // (nothing: there was no file). Returns the notice naming the lines the list
  // shows other than they are, or nothing.
  virtual std::string FillCycleEditor(std::vector<std::string> maps,
                                      std::vector<std::string> rotation,
                                      const std::string& cyclePath,
                                      std::optional<std::string> fileBytes) = 0;

 protected:
  ~FormHost() = default;
};

}  // namespace platform
