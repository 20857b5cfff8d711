#include "platform/accessible_name.h"

#include <oleacc.h>

#include <new>
#include <string>
#include <unordered_map>

namespace platform {
namespace {

// What each named control needs on every message it gets: its own window procedure, and its row
// of the window's layout table, which gives its name and role. A table in the process, not window
// properties, which under Wine are a round trip to the server each (a list of 32,767 entries
// filled entry by entry would wait seconds for them).
struct NamedControl {
  WNDPROC previous;
  const ControlSpec* layoutRow;
};
std::unordered_map<HWND, NamedControl>& NamedControls() {
  static std::unordered_map<HWND, NamedControl> controls;
  return controls;
}

// The control's layout row, or nothing once the control is gone.
const ControlSpec* LayoutRowOf(HWND handle) {
  const auto found = NamedControls().find(handle);
  return found == NamedControls().end() ? nullptr : found->second.layoutRow;
}

std::string CaptionOf(HWND handle) {
  std::string text(static_cast<size_t>(GetWindowTextLengthA(handle)) + 1, '\0');
  text.resize(
      static_cast<size_t>(GetWindowTextA(handle, text.data(), static_cast<int>(text.size()))));
  return text;
}

bool IsSelf(const VARIANT& child) { return child.vt == VT_I4 && child.lVal == CHILDID_SELF; }

// oleacc.dll is loaded from the system folder on the first request only, so a
// program that no screen reader asks never loads it, and a DLL of that name
// beside the program is never taken for it.
struct Oleacc {
  using CreateStd = HRESULT(WINAPI*)(HWND, LONG, REFIID, void**);
  using FromObject = LRESULT(WINAPI*)(REFIID, WPARAM, LPUNKNOWN);
  CreateStd createStdAccessibleObject = nullptr;
  FromObject lresultFromObject = nullptr;
};

template <typename Function>
Function Lookup(HMODULE module, const char* name) {
  // Through a generic function pointer type, which every function pointer converts to.
  return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(GetProcAddress(module, name)));
}

const Oleacc& LoadOleacc() {
  static const Oleacc oleacc = [] {
    Oleacc loaded;
    char folder[MAX_PATH];
    const UINT length = GetSystemDirectoryA(folder, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return loaded;
    HMODULE module = LoadLibraryA((std::string(folder) + "\\oleacc.dll").c_str());
    if (!module) return loaded;  // kept loaded for the program's life
    loaded.createStdAccessibleObject =
        Lookup<Oleacc::CreateStd>(module, "CreateStdAccessibleObject");
    loaded.lresultFromObject = Lookup<Oleacc::FromObject>(module, "LresultFromObject");
    return loaded;
  }();
  return oleacc;
}

// The system's standard object for a control, with the control's name and
// role put in front; everything else (state, location, keyboard shortcut, a
// list's entries) is the standard object's. Without a standard object, only
// the name and role are known.
class NamedAccessible final : public IAccessible {
 public:
  NamedAccessible(HWND control, IAccessible* standard) : control_(control), standard_(standard) {}
  NamedAccessible(const NamedAccessible&) = delete;
  NamedAccessible& operator=(const NamedAccessible&) = delete;

  // IUnknown. Interfaces other than these (IEnumVARIANT, IOleWindow, ...)
  // are the standard object's own.
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
    if (!object) return E_POINTER;
    *object = nullptr;
    if (iid == IID_IUnknown || iid == IID_IDispatch || iid == IID_IAccessible) {
      *object = static_cast<IAccessible*>(this);
      AddRef();
      return S_OK;
    }
    return standard_ ? standard_->QueryInterface(iid, object) : E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(++references_); }
  ULONG STDMETHODCALLTYPE Release() override {
    const LONG left = --references_;
    if (left == 0) {
      if (standard_) standard_->Release();
      delete this;  // COM lifetime: the last reference frees the object
    }
    return static_cast<ULONG>(left);
  }

  // IDispatch: screen readers call the interface directly.
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
    if (!count) return E_POINTER;
    *count = 0;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override {
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*,
                                   UINT*) override {
    return E_NOTIMPL;
  }

  HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override {
    if (!IsSelf(child)) return standard_ ? standard_->get_accName(child, name) : E_INVALIDARG;
    if (!name) return E_POINTER;
    *name = nullptr;
    const ControlSpec* row = LayoutRowOf(control_);
    if (!row) return E_FAIL;  // the control is gone
    const std::string text = AccessibleNameOf(*row, CaptionOf(control_));
    const int length =
        MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    *name = SysAllocStringLen(nullptr, static_cast<UINT>(length));
    if (!*name) return E_OUTOFMEMORY;
    MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), *name, length);
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override {
    if (!IsSelf(child)) return standard_ ? standard_->get_accRole(child, role) : E_INVALIDARG;
    if (!role) return E_POINTER;
    const ControlSpec* row = LayoutRowOf(control_);
    if (!row) return E_FAIL;
    role->vt = VT_I4;
    role->lVal = AccessibleRole(row->kind);
    return S_OK;
  }

  // The rest is the standard object's.
  HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override {
    return standard_ ? standard_->get_accParent(parent) : E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE get_accChildCount(LONG* count) override {
    return standard_ ? standard_->get_accChildCount(count) : E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** object) override {
    return standard_ ? standard_->get_accChild(child, object) : E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* value) override {
    return standard_ ? standard_->get_accValue(child, value) : E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* text) override {
    return standard_ ? standard_->get_accDescription(child, text) : E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override {
    return standard_ ? standard_->get_accState(child, state) : E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT child, BSTR* text) override {
    return standard_ ? standard_->get_accHelp(child, text) : E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT child, LONG* topic) override {
    return standard_ ? standard_->get_accHelpTopic(file, child, topic) : E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR* keys) override {
    return standard_ ? standard_->get_accKeyboardShortcut(child, keys) : E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* child) override {
    return standard_ ? standard_->get_accFocus(child) : E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* children) override {
    return standard_ ? standard_->get_accSelection(children) : E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* action) override {
    return standard_ ? standard_->get_accDefaultAction(child, action) : E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE accSelect(LONG flags, VARIANT child) override {
    return standard_ ? standard_->accSelect(flags, child) : E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE accLocation(LONG* left, LONG* top, LONG* width, LONG* height,
                                        VARIANT child) override {
    return standard_ ? standard_->accLocation(left, top, width, height, child) : E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE accNavigate(LONG direction, VARIANT start, VARIANT* end) override {
    return standard_ ? standard_->accNavigate(direction, start, end) : E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE accHitTest(LONG x, LONG y, VARIANT* child) override {
    return standard_ ? standard_->accHitTest(x, y, child) : E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override {
    return standard_ ? standard_->accDoDefaultAction(child) : E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE put_accName(VARIANT, BSTR) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE put_accValue(VARIANT, BSTR) override { return E_NOTIMPL; }

 private:
  ~NamedAccessible() = default;

  LONG references_ = 1;
  HWND control_;
  IAccessible* standard_;  // owned reference; may be null
};

// The answer to WM_GETOBJECT for the control's client area, or 0 to leave
// the request to the control's own window procedure.
LRESULT AnswerGetObject(HWND control, WPARAM flags) {
  const Oleacc& oleacc = LoadOleacc();
  if (!oleacc.lresultFromObject) return 0;
  // Handing the object over marshals it, which needs COM on this thread: set
  // up once, for the thread's life (the only thread with windows).
  static const bool comReady = SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED));
  (void)comReady;
  IAccessible* standard = nullptr;
  if (oleacc.createStdAccessibleObject &&
      FAILED(oleacc.createStdAccessibleObject(control, OBJID_CLIENT, IID_IAccessible,
                                              reinterpret_cast<void**>(&standard)))) {
    standard = nullptr;
  }
  auto* named = new (std::nothrow) NamedAccessible(control, standard);
  if (!named) {
    if (standard) standard->Release();
    return 0;
  }
  const LRESULT answer = oleacc.lresultFromObject(IID_IAccessible, flags, named);
  named->Release();  // the answer holds its own reference
  return FAILED(answer) ? 0 : answer;
}

// A Unicode window procedure, so that the controls' Unicode messages (a list's
// entries of any length, see list_box.cpp) pass through it unconverted.
LRESULT CALLBACK AccessibleControlProc(HWND control, UINT message, WPARAM wParam, LPARAM lParam) {
  const auto found = NamedControls().find(control);
  if (found == NamedControls().end()) return DefWindowProcW(control, message, wParam, lParam);
  const WNDPROC previous = found->second.previous;
  if (message == WM_GETOBJECT &&
      static_cast<LONG>(static_cast<DWORD>(lParam)) == static_cast<LONG>(OBJID_CLIENT)) {
    if (const LRESULT answer = AnswerGetObject(control, wParam)) return answer;
  } else if (message == WM_NCDESTROY) {
    SetWindowLongPtrW(control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previous));
    NamedControls().erase(found);
  }
  return CallWindowProcW(previous, control, message, wParam, lParam);
}

}  // namespace

long AccessibleRole(ControlKind kind) {
  switch (kind) {
    case ControlKind::kPushButton:
    case ControlKind::kSymbolButton:
    case ControlKind::kPictureButton:
      return ROLE_SYSTEM_PUSHBUTTON;
    case ControlKind::kToggleButton:
      return ROLE_SYSTEM_CHECKBUTTON;
    case ControlKind::kLabel:
    case ControlKind::kOverlayLabel:
      return ROLE_SYSTEM_STATICTEXT;
    case ControlKind::kListBox:
      return ROLE_SYSTEM_LIST;
    case ControlKind::kPicture:
      return ROLE_SYSTEM_GRAPHIC;
  }
  return ROLE_SYSTEM_CLIENT;
}

std::string AccessibleNameOf(const ControlSpec& control, const std::string& caption) {
  if (control.accessibleName) return control.accessibleName;
  const bool marksAccessKey =
      control.kind == ControlKind::kPushButton || control.kind == ControlKind::kToggleButton;
  if (!marksAccessKey) return caption;
  std::string said;
  for (size_t i = 0; i < caption.size(); ++i) {
    if (caption[i] == '&' && i + 1 < caption.size()) ++i;  // "&&" is one "&"
    said += caption[i];
  }
  return said;
}

void NameForScreenReaders(HWND handle, const ControlSpec& control) {
  NamedControls()[handle] = {reinterpret_cast<WNDPROC>(GetWindowLongPtrW(handle, GWLP_WNDPROC)),
                             &control};
  SetWindowLongPtrW(handle, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&AccessibleControlProc));
}

}  // namespace platform
