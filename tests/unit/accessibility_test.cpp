// What a screen reader is told about each control of the three windows, asked in-process the way
// one asks: AccessibleObjectFromWindow, then get_accName and get_accRole.
#include <gtest/gtest.h>
#include <windows.h>

#include <oleacc.h>

#include <string>

#include "app/launcher_layout.h"
#include "cycle_editor/frm_rotamund.h"
#include "fakes.h"
#include "mod_chooser/frm_mods.h"
#include "platform/accessible_name.h"
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

const platform::FormSpec* const kLayouts[] = {&app::LauncherLayout(), &mod_chooser::FrmModsLayout(),
                                              &cycle_editor::FrmRotamundLayout()};

// Every control is said by a word, never a glyph's letter, a digit or an access key's "&"; a bot
// button as the check button it reads as. (On every build: no accessible object is needed.)
TEST(ScreenReaderNames, EveryControlHasAMeaningfulNameAndItsRole) {
  size_t controls = 0;
  for (const platform::FormSpec* layout : kLayouts) {
    for (const platform::ControlSpec& row : layout->controls) {
      ++controls;
      const std::string name = platform::AccessibleNameOf(row, row.caption);
      EXPECT_GE(name.size(), 4u) << row.name << " is said as \"" << name << "\"";
      EXPECT_EQ(name.find('&'), std::string::npos) << row.name;
    }
  }
  EXPECT_EQ(controls, 14u + 5u + 13u);
  for (const platform::ControlSpec& row : app::LauncherLayout().controls) {
    if (std::string(row.name) == "res") {
      EXPECT_EQ(platform::AccessibleRole(row.kind), ROLE_SYSTEM_CHECKBUTTON);
    }
  }
}

// Asked the way a screen reader asks, each control answers with that name, its caption as shown
// now (a count), and its role; asking changes no caption.
TEST_F(AccessibilityTest, EachControlAnswersWithItsNameAndRole) {
  editor().SetText(R::kLabel1, "All Half Life Maps (7 maps)");
  const app::FormId forms[] = {app::FormId::kLauncher, app::FormId::kMods, app::FormId::kRotamund};
  for (size_t i = 0; i < std::size(forms); ++i) {
    const platform::Form& form = *program_.Loaded(forms[i]);
    for (const platform::ControlSpec& row : kLayouts[i]->controls) {
      const std::string caption = form.Text(row.id);
      IAccessible* object = ObjectOf(form.control(row.id));
      ASSERT_NE(object, nullptr) << row.name;
      const Said said = Ask(object);
      object->Release();
      EXPECT_EQ(said.nameResult, S_OK) << row.name;
      EXPECT_EQ(said.name, platform::AccessibleNameOf(row, caption)) << row.name;
      EXPECT_EQ(said.role, platform::AccessibleRole(row.kind)) << row.name;
      EXPECT_EQ(form.Text(row.id), caption) << row.name << ": asking changed the caption";
      if (row.id == R::kLabel1 && i == 2) {
        EXPECT_EQ(said.name, "All Half Life Maps (7 maps)");
      }
    }
  }
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
