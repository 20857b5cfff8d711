// The program's windows and shared state. A window is loaded (created, its
// load handler run) on first use and stays loaded until it is unloaded; the
// program ends when its last loaded window is unloaded.
#pragma once

#include <windows.h>

#include <array>
#include <memory>
#include <string>
#include <vector>

#include "platform/form.h"
#include "platform/handles.h"
#include "platform/message_box.h"
#include "platform/random.h"

namespace mod_chooser {
class FrmMods;
}
namespace cycle_editor {
class FrmRotamund;
}

namespace app {

class Launcher;

enum class FormId { kLauncher, kMods, kRotamund, kCount };

// What the windows use of the outside world; tests pass their own.
struct Services {
  platform::MessageBoxes& messages;
  platform::RandomSource& random;
};

class Program {
 public:
  explicit Program(Services services);
  ~Program();
  Program(const Program&) = delete;
  Program& operator=(const Program&) = delete;

  // The Half-Life folder of the mod chooser and the editor: the registry's
  // install folder as it holds it ("No Name" when it holds none), or the folder
  // the game was found in (see game_finder::HalfLifeFolderFor).
  std::string HLPath;
  // The modification folder chosen in the mod chooser.
  std::string ModDir;

  Services& services() { return services_; }

  // Loads the window if needed; it may unload itself while it loads.
  void Load(FormId id);
  // Loads the window if needed, then shows it unless it unloaded itself.
  void Show(FormId id);
  void Hide(FormId id);
  // Hides the window and takes it out of the loaded ones (the program ends
  // when none is left). The form and its window are destroyed only by
  // ReleaseUnloaded, after the handler that ran has returned: a handler may
  // unload its own window.
  void Unload(FormId id);
  bool IsLoaded(FormId id) const;

  // The loaded window (loading it first).
  Launcher& launcher();
  mod_chooser::FrmMods& frmMODS();
  cycle_editor::FrmRotamund& frmRotamund();
  platform::Form& form(FormId id);

  // Ends the program at once, whatever is loaded.
  void End();
  bool ended() const { return ended_; }

  // Destroys the forms unloaded by the handler that just ran, with their
  // windows.
  void ReleaseUnloaded();

  // A hidden window that owns the windows without a taskbar button.
  HWND applicationWindow();

 private:
  std::unique_ptr<platform::Form> Create(FormId id);

  Services services_;
  std::array<std::unique_ptr<platform::Form>, static_cast<size_t>(FormId::kCount)> forms_;
  std::vector<std::unique_ptr<platform::Form>> unloaded_;
  platform::UniqueWindow applicationWindow_;
  bool ended_ = false;
};

}  // namespace app
