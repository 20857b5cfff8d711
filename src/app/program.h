// The program's windows and shared state. A window is loaded (created, its
// load handler run) on first use and stays loaded until it is unloaded; the
// program ends when its last loaded window is unloaded.
#pragma once

#include <windows.h>

#include <array>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/form.h"
#include "platform/form_host.h"
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

using platform::FormId;
using platform::Services;

// The program's windows: program start knows each of them; they reach one
// another only through the FormHost it is.
class Program : public platform::FormHost {
 public:
  explicit Program(Services services);
  ~Program();
  Program(const Program&) = delete;
  Program& operator=(const Program&) = delete;

  Services& services() override { return services_; }

  void Load(FormId id) override;
  void Show(FormId id) override;
  void Hide(FormId id) override;
  void Unload(FormId id) override;
  bool IsLoaded(FormId id) const override;
  platform::Form* Loaded(FormId id) override;
  void End() override;
  std::string FillCycleEditor(std::vector<std::string> maps, std::vector<std::string> rotation,
                              const std::string& cyclePath,
                              std::optional<std::string> fileBytes) override;

  // The window, loaded first if it is not; nothing when it could not be
  // loaded or unloaded itself while it loaded.
  Launcher* launcher();
  mod_chooser::FrmMods* frmMODS();
  cycle_editor::FrmRotamund* frmRotamund();

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
