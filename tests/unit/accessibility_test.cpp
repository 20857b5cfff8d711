// What a screen reader is told about each control of the three windows, asked in-process the way
// one asks: AccessibleObjectFromWindow, then get_accName and get_accRole.
#include <gtest/gtest.h>
#include <windows.h>

#include <oleacc.h>

#include <map>
#include <string>

#include "app/launcher_layout.h"
#include "cycle_editor/frm_rotamund.h"
#include "fakes.h"
#include "mod_chooser/frm_mods.h"
#include "support/registry.h"

namespace {

using namespace testing_support;
using R = cycle_editor::FrmRotamund;

struct Said {
  HRESULT nameResult = E_FAIL;
  std::string name;
  long role = -1;
};

std::string Narrow(const wchar_t* text) {
  std::string out;
  for (; text && *text; ++text) out += static_cast<char>(*text < 128 ? *text : '?');
  return out;
}

Said Ask(IAccessible* object) {
  Said said;
  VARIANT self{};
  self.vt = VT_I4;
  self.lVal = CHILDID_SELF;
  BSTR name = nullptr;
  said.nameResult = object->get_accName(self, &name);
  said.name = Narrow(name);
  SysFreeString(name);
  VARIANT role{};
  if (SUCCEEDED(object->get_accRole(self, &role)) && role.vt == VT_I4) said.role = role.lVal;
  return said;
}

IAccessible* ObjectOf(HWND control) {
  IAccessible* object = nullptr;
  if (FAILED(AccessibleObjectFromWindow(control, OBJID_CLIENT, IID_IAccessible,
                                        reinterpret_cast<void**>(&object)))) {
    return nullptr;
  }
  return object;
}

bool UnderWine() {
  return GetProcAddress(GetModuleHandleA("ntdll.dll"), "wine_get_version") != nullptr;
}

class AccessibilityTest : public ProgramTest {
 protected:
  void SetUp() override {
    // Wine (seen with Debian 12's 8.0) hands a 64-bit program no object for its own controls
    // (AccessibleObjectFromWindow fails in-process, as it does across processes): the names are
    // checked on the 32-bit build, the program itself, where the machine runs it.
    if (sizeof(void*) == 8 && UnderWine()) GTEST_SKIP() << "no accessible objects, 64-bit Wine";
    ASSERT_TRUE(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)));
    ASSERT_TRUE(tools::RegisterInstallPath("C:\\windows"));  // any folder, for the chooser
  }
  void TearDown() override {
    if (!IsSkipped()) CoUninitialize();
  }
};

// Every control, by its layout name: the name it is said by and its role. The captions stay.
TEST_F(AccessibilityTest, EveryControlOfTheThreeWindowsHasAMeaningfulNameAndItsRole) {
  const std::map<std::string, std::pair<std::string, long>> expected = {
      {"launcher.res", {"Resort Counter-Strike", ROLE_SYSTEM_CHECKBUTTON}},
      {"launcher.activate",
       {"Click on bot you wish to activate, then launch Counter-Strike", ROLE_SYSTEM_STATICTEXT}},
      {"launcher.Image1",
       {"Orlwin Bot Launcher picture: a skyline at dusk seen through a rifle scope",
        ROLE_SYSTEM_GRAPHIC}},
      {"chooser.lstModList", {"Half Life MODs with a Map Cycle", ROLE_SYSTEM_LIST}},
      {"chooser.Image1", {"About the map cycle editor", ROLE_SYSTEM_GRAPHIC}},
      {"editor.cmdMove", {"Add to map cycle", ROLE_SYSTEM_PUSHBUTTON}},
      {"editor.cmdRemove", {"Remove from map cycle", ROLE_SYSTEM_PUSHBUTTON}},
      {"editor.cmdUP", {"Move up in map cycle", ROLE_SYSTEM_PUSHBUTTON}},
      {"editor.cmdDown", {"Move down in map cycle", ROLE_SYSTEM_PUSHBUTTON}},
      {"editor.lstBSP", {"All Half Life Maps", ROLE_SYSTEM_LIST}},
      {"editor.lstMap", {"Map Cycle File", ROLE_SYSTEM_LIST}},
      {"editor.Image1", {"About the map cycle editor", ROLE_SYSTEM_GRAPHIC}},
      {"editor.Label1", {"All Half Life Maps (0 maps)", ROLE_SYSTEM_STATICTEXT}},
      {"editor.cmdSave", {"Save Map Cycle", ROLE_SYSTEM_PUSHBUTTON}},
  };
  editor().SetText(R::kLabel1, "All Half Life Maps (0 maps)");  // a count caption, said as shown
  const std::pair<const char*, app::FormId> forms[] = {{"launcher", app::FormId::kLauncher},
                                                       {"chooser", app::FormId::kMods},
                                                       {"editor", app::FormId::kRotamund}};
  const platform::FormSpec* layouts[] = {&app::LauncherLayout(), &mod_chooser::FrmModsLayout(),
                                         &cycle_editor::FrmRotamundLayout()};
  size_t checked = 0, controls = 0;
  for (size_t i = 0; i < std::size(forms); ++i) {
    const platform::Form& form = *program_.Loaded(forms[i].second);
    for (const platform::ControlSpec& row : layouts[i]->controls) {
      ++controls;
      const std::string key = std::string(forms[i].first) + "." + row.name;
      HWND control = form.control(row.id);
      const std::string caption = form.Text(row.id);
      IAccessible* object = ObjectOf(control);
      ASSERT_NE(object, nullptr) << key;
      const Said said = Ask(object);
      object->Release();
      EXPECT_EQ(said.nameResult, S_OK) << key;
      // Meaningful: a word, not a glyph's letter or a digit.
      EXPECT_GE(said.name.size(), 4u) << key << " is said as \"" << said.name << "\"";
      EXPECT_EQ(said.name.find('&'), std::string::npos) << key;
      EXPECT_NE(said.role, -1) << key;
      EXPECT_EQ(form.Text(row.id), caption) << key << ": asking changed the caption";
      if (auto it = expected.find(key); it != expected.end()) {
        EXPECT_EQ(said.name, it->second.first) << key;
        EXPECT_EQ(said.role, it->second.second) << key;
        ++checked;
      }
    }
  }
  EXPECT_EQ(checked, expected.size());
  EXPECT_EQ(controls, 14u + 5u + 13u);
  // The pictured buttons keep no caption (the Marlett glyphs: WindowsTest.ArrowButtons...).
  EXPECT_EQ(editor().Text(R::kCmdUP), "");
}

// An object a screen reader still holds after its window closed answers with a failure, not with
// what is left of the window.
TEST_F(AccessibilityTest, AnObjectHeldPastItsWindowFailsAndTheControlKeepsWorking) {
  BareForm form(cycle_editor::FrmRotamundLayout());
  ASSERT_TRUE(form.Create());
  HWND move = form.control(R::kCmdMove);
  IAccessible* object = ObjectOf(move);
  ASSERT_NE(object, nullptr);
  // The control still answers its own messages through the name's window procedure.
  EXPECT_EQ(SendMessageA(move, WM_GETDLGCODE, 0, 0) & DLGC_BUTTON, DLGC_BUTTON);
  DestroyWindow(form.window());
  EXPECT_TRUE(FAILED(Ask(object).nameResult));
  object->Release();
}

}  // namespace
