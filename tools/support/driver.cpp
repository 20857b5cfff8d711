#include "support/driver.h"

#include <algorithm>
#include <cstdio>

namespace tools {
namespace {

struct Search {
  DWORD processId;
  const std::function<bool(HWND)>& wanted;
  HWND found = nullptr;
};

BOOL CALLBACK Visit(HWND window, LPARAM parameter) {
  auto* search = reinterpret_cast<Search*>(parameter);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  if (owner != search->processId || !IsWindowVisible(window) || !search->wanted(window)) {
    return TRUE;
  }
  search->found = window;
  return FALSE;
}

// A message box, or a window with the title that is not one.
HWND FindTopLevel(DWORD processId, const std::string& title, bool messageBoxes) {
  return FindVisibleTopLevel(processId, [&](HWND window) {
    char className[64] = {};
    GetClassNameA(window, className, sizeof className);
    bool isBox = std::string(className) == "#32770";
    return messageBoxes ? isBox : (!isBox && WindowText(window) == title);
  });
}

std::string Narrow(const std::wstring& wide) {
  if (wide.empty()) return {};
  int size = WideCharToMultiByte(CP_ACP, 0, wide.data(), static_cast<int>(wide.size()), nullptr, 0,
                                 nullptr, nullptr);
  std::string text(static_cast<size_t>(size), '\0');
  WideCharToMultiByte(CP_ACP, 0, wide.data(), static_cast<int>(wide.size()), text.data(), size,
                      nullptr, nullptr);
  return text;
}

bool HasIcon(HWND box) {
  HWND child = nullptr;
  while ((child = FindWindowExA(box, child, "Static", nullptr)) != nullptr) {
    if ((GetWindowLongA(child, GWL_STYLE) & SS_TYPEMASK) != SS_ICON) continue;
    if (IsWindowVisible(child) && SendMessageA(child, STM_GETICON, 0, 0)) return true;
  }
  return false;
}

}  // namespace

HWND FindVisibleTopLevel(DWORD processId, const std::function<bool(HWND)>& wanted) {
  Search search{processId, wanted};
  EnumWindows(&Visit, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

std::optional<Driver> Driver::Start(const std::string& executable, const std::string& folder) {
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION started{};
  std::string commandLine = "\"" + executable + "\"";
  if (!CreateProcessA(executable.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                      folder.c_str(), &startup, &started)) {
    std::fprintf(stderr, "CreateProcess %s failed: error %lu\n", executable.c_str(),
                 GetLastError());
    return std::nullopt;
  }
  CloseHandle(started.hThread);
  Driver driver;
  driver.process_.reset(started.hProcess);
  driver.processId_ = started.dwProcessId;
  return driver;
}

Driver::~Driver() { Kill(); }

void Driver::Kill() {
  if (process_ && IsRunning()) {
    TerminateProcess(process_.get(), 99);
    WaitForSingleObject(process_.get(), 5000);
  }
}

bool Driver::IsRunning() const {
  return process_ && WaitForSingleObject(process_.get(), 0) == WAIT_TIMEOUT;
}

HWND Driver::WaitForWindow(const std::string& title, std::chrono::milliseconds patience) {
  HWND found = nullptr;
  WaitUntil([&] { return (found = FindTopLevel(processId_, title, false)) != nullptr; }, patience);
  return found;
}

bool Driver::WaitForWindowGone(const std::string& title, std::chrono::milliseconds patience) {
  return WaitUntil([&] { return FindTopLevel(processId_, title, false) == nullptr; }, patience);
}

std::optional<MessageBoxSeen> Driver::WaitForMessageBox(std::chrono::milliseconds patience) {
  HWND box = nullptr;
  if (!WaitUntil([&] { return (box = FindTopLevel(processId_, "", true)) != nullptr; }, patience)) {
    return std::nullopt;
  }
  MessageBoxSeen seen;
  seen.window = box;
  seen.title = WindowText(box);
  // The box's text is its static control with the id 0xFFFF; wait until it has
  // been filled in.
  WaitUntil([&] { return !WindowText(GetDlgItem(box, 0xFFFF)).empty(); }, 2s);
  seen.text = WindowText(GetDlgItem(box, 0xFFFF));
  seen.hasIcon = HasIcon(box);
  return seen;
}

bool Driver::Dismiss(const MessageBoxSeen& box) {
  PostMessageA(box.window, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
               reinterpret_cast<LPARAM>(GetDlgItem(box.window, IDOK)));
  return WaitUntil([&] { return !IsWindow(box.window) || !IsWindowVisible(box.window); });
}

std::optional<DWORD> Driver::WaitForExit(std::chrono::milliseconds patience) {
  if (WaitForSingleObject(process_.get(), static_cast<DWORD>(patience.count())) != WAIT_OBJECT_0) {
    return std::nullopt;
  }
  DWORD code = 0;
  GetExitCodeProcess(process_.get(), &code);
  return code;
}

bool Driver::WaitIdle(HWND window) {
  DWORD_PTR result = 0;
  return SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_NORMAL, 15000, &result) != 0;
}

std::string WindowText(HWND window) {
  if (!window) return {};
  // Read as UTF-16: other processes' controls answer in it whatever is asked.
  int length = static_cast<int>(SendMessageW(window, WM_GETTEXTLENGTH, 0, 0));
  std::wstring text(static_cast<size_t>(length) + 1, L'\0');
  SendMessageW(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()));
  text.resize(wcslen(text.c_str()));
  return Narrow(text);
}

HWND FocusedControl(HWND window) {
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  if (!GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info)) return nullptr;
  return info.hwndFocus;
}

HWND FindChild(HWND window, const std::string& caption) {
  for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    if (WindowText(child) == caption) return child;
  }
  return nullptr;
}

HWND FindList(HWND window, int index) {
  std::vector<HWND> lists;
  for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    char className[32] = {};
    GetClassNameA(child, className, sizeof className);
    if (lstrcmpiA(className, "ListBox") == 0) lists.push_back(child);
  }
  // Order by control id: the layouts number their controls in creation order.
  std::sort(lists.begin(), lists.end(),
            [](HWND a, HWND b) { return GetDlgCtrlID(a) < GetDlgCtrlID(b); });
  return index < static_cast<int>(lists.size()) ? lists[static_cast<size_t>(index)] : nullptr;
}

RECT ClientRectIn(HWND child, HWND parent) {
  RECT rect;
  GetWindowRect(child, &rect);
  MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&rect), 2);
  return rect;
}

void Press(HWND button) { PostMessageA(button, BM_CLICK, 0, 0); }

void PressKey(WORD virtualKey, bool alt) {
  std::vector<INPUT> inputs;
  auto key = [&](WORD vk, bool up) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = vk;
    input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    inputs.push_back(input);
  };
  if (alt) key(VK_MENU, false);
  key(virtualKey, false);
  key(virtualKey, true);
  if (alt) key(VK_MENU, true);
  SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

std::vector<std::string> ListItems(HWND list) {
  std::vector<std::string> items;
  int count = static_cast<int>(SendMessageW(list, LB_GETCOUNT, 0, 0));
  for (int i = 0; i < count; ++i) {
    int length = static_cast<int>(SendMessageW(list, LB_GETTEXTLEN, i, 0));
    std::wstring text(static_cast<size_t>(std::max(length, 0)) + 1, L'\0');
    SendMessageW(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(text.data()));
    text.resize(wcslen(text.c_str()));
    items.push_back(Narrow(text));
  }
  return items;
}

void SelectListItem(HWND list, int index, bool add) {
  bool multiple = GetWindowLongA(list, GWL_STYLE) & (LBS_EXTENDEDSEL | LBS_MULTIPLESEL);
  if (!multiple) {
    SendMessageA(list, LB_SETCURSEL, index, 0);
    return;
  }
  if (!add) SendMessageA(list, LB_SETSEL, FALSE, -1);
  SendMessageA(list, LB_SETSEL, TRUE, index);
  SendMessageA(list, LB_SETCARETINDEX, index, FALSE);
}

std::vector<int> SelectedIndexes(HWND list) {
  std::vector<int> selected;
  int count = static_cast<int>(SendMessageA(list, LB_GETCOUNT, 0, 0));
  for (int i = 0; i < count; ++i) {
    if (SendMessageA(list, LB_GETSEL, i, 0) > 0) selected.push_back(i);
  }
  return selected;
}

}  // namespace tools
