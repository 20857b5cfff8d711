#include "app/program.h"

#include <algorithm>

#include "app/launcher.h"
#include "cycle_editor/frm_rotamund.h"
#include "mod_chooser/frm_mods.h"

namespace app {

// Looking for the game in a drive without its medium (a card reader without a
// card, a removed USB disk) must fail quietly: Windows would otherwise ask
// "There is no disk in the drive" in a box of its own.
Program::Program(Services services) : services_(services) {
  SetErrorMode(SetErrorMode(0) | SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
}

Program::~Program() {
  for (auto& form : forms_) form.reset();
  unloaded_.clear();
}

std::unique_ptr<platform::Form> Program::Create(FormId id) {
  switch (id) {
    case FormId::kLauncher:
      return std::make_unique<Launcher>(*this);
    case FormId::kMods:
      return std::make_unique<mod_chooser::FrmMods>(*this);
    case FormId::kRotamund:
      return std::make_unique<cycle_editor::FrmRotamund>(*this);
    case FormId::kCount:
      break;
  }
  return nullptr;
}

void Program::Load(FormId id) {
  auto& slot = forms_[static_cast<size_t>(id)];
  if (slot) return;
  std::unique_ptr<platform::Form> form = Create(id);
  platform::Form* created = form.get();
  // The editor has no taskbar button of its own: it is owned by a hidden window.
  HWND owner = id == FormId::kRotamund ? applicationWindow() : nullptr;
  if (!form || !form->Create(owner)) {
    services_.messages.Show(nullptr, "Could not create a window.", std::nullopt,
                            platform::MessageStyle::kCritical);
    End();
    return;
  }
  slot = std::move(form);
  created->Form_Load();
}

void Program::Show(FormId id) {
  if (platform::Form* form = Loaded(id)) form->Show();
}

void Program::Hide(FormId id) {
  if (auto& form = forms_[static_cast<size_t>(id)]) form->Hide();
}

void Program::Unload(FormId id) {
  auto& slot = forms_[static_cast<size_t>(id)];
  if (!slot) return;
  std::unique_ptr<platform::Form> form = std::move(slot);
  form->Hide();
  unloaded_.push_back(std::move(form));
  if (std::none_of(forms_.begin(), forms_.end(), [](const auto& f) { return f != nullptr; })) {
    End();
  }
}

bool Program::IsLoaded(FormId id) const { return forms_[static_cast<size_t>(id)] != nullptr; }

platform::Form* Program::Loaded(FormId id) {
  Load(id);
  return forms_[static_cast<size_t>(id)].get();
}

Launcher* Program::launcher() { return static_cast<Launcher*>(Loaded(FormId::kLauncher)); }

mod_chooser::FrmMods* Program::frmMODS() {
  return static_cast<mod_chooser::FrmMods*>(Loaded(FormId::kMods));
}

cycle_editor::FrmRotamund* Program::frmRotamund() {
  return static_cast<cycle_editor::FrmRotamund*>(Loaded(FormId::kRotamund));
}

std::string Program::FillCycleEditor(std::vector<std::string> maps,
                                     std::vector<std::string> rotation,
                                     const std::string& cyclePath,
                                     std::optional<std::string> fileBytes) {
  cycle_editor::FrmRotamund* editor = frmRotamund();
  if (!editor) return {};
  return editor->Open(std::move(maps), std::move(rotation), cyclePath, std::move(fileBytes));
}

void Program::End() {
  if (ended_) return;
  ended_ = true;
  PostQuitMessage(0);
}

void Program::ReleaseUnloaded() { unloaded_.clear(); }

HWND Program::applicationWindow() {
  if (!applicationWindow_) {
    applicationWindow_.reset(CreateWindowExA(0, "STATIC", platform::kApplicationTitle, WS_POPUP, 0,
                                             0, 0, 0, nullptr, nullptr, GetModuleHandleA(nullptr),
                                             nullptr));
  }
  return applicationWindow_.get();
}

}  // namespace app
