#include "platform/list_box.h"

#include <algorithm>

#include "platform/text.h"

namespace platform {
namespace {

// Turns redrawing off for the life of the object, then repaints once.
class RedrawSuspended {
 public:
  explicit RedrawSuspended(HWND window) : window_(window) {
    SendMessageA(window_, WM_SETREDRAW, FALSE, 0);
  }
  ~RedrawSuspended() {
    SendMessageA(window_, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(window_, nullptr, TRUE);
  }
  RedrawSuspended(const RedrawSuspended&) = delete;
  RedrawSuspended& operator=(const RedrawSuspended&) = delete;

 private:
  HWND window_;
};

}  // namespace

int ListBox::Count() const { return static_cast<int>(SendMessageA(list_, LB_GETCOUNT, 0, 0)); }

// Texts pass in and out as UTF-16 and are converted in one place: Wine's
// 8-bit LB_GETTEXT overruns a buffer of its own once an entry is longer than
// about 512 characters, while the UTF-16 messages take entries of any length.
std::string ListBox::Text(int index) const {
  const LRESULT length = SendMessageW(list_, LB_GETTEXTLEN, index, 0);
  if (length == LB_ERR) return {};
  std::wstring text(static_cast<size_t>(length) + 1, L'\0');
  const LRESULT copied =
      SendMessageW(list_, LB_GETTEXT, index, reinterpret_cast<LPARAM>(text.data()));
  text.resize(copied == LB_ERR ? 0 : static_cast<size_t>(copied));
  return AnsiFromWide(text);
}

std::vector<std::string> ListBox::Texts() const {
  std::vector<std::string> texts;
  const int count = Count();
  texts.reserve(static_cast<size_t>(count));
  for (int i = 0; i < count; ++i) texts.push_back(Text(i));
  return texts;
}

bool ListBox::IsMultipleSelection() const {
  return GetWindowLongA(list_, GWL_STYLE) & (LBS_EXTENDEDSEL | LBS_MULTIPLESEL);
}

bool ListBox::IsSelected(int index) const { return SendMessageA(list_, LB_GETSEL, index, 0) > 0; }

void ListBox::SetSelected(int index, bool selected) {
  if (IsMultipleSelection()) {
    SendMessageA(list_, LB_SETSEL, selected, index);
  } else {
    SendMessageA(list_, LB_SETCURSEL, selected ? index : -1, 0);
  }
}

std::vector<bool> ListBox::Selection() const {
  std::vector<bool> selection(static_cast<size_t>(Count()), false);
  if (!IsMultipleSelection()) {
    int current = static_cast<int>(SendMessageA(list_, LB_GETCURSEL, 0, 0));
    if (current >= 0) selection[static_cast<size_t>(current)] = true;
    return selection;
  }
  std::vector<int> indexes(static_cast<size_t>(SelectedCount()));
  if (!indexes.empty()) {
    SendMessageA(list_, LB_GETSELITEMS, indexes.size(), reinterpret_cast<LPARAM>(indexes.data()));
  }
  for (int index : indexes) selection[static_cast<size_t>(index)] = true;
  return selection;
}

int ListBox::SelectedCount() const {
  if (!IsMultipleSelection()) return SendMessageA(list_, LB_GETCURSEL, 0, 0) >= 0 ? 1 : 0;
  return std::max(0, static_cast<int>(SendMessageA(list_, LB_GETSELCOUNT, 0, 0)));
}

int ListBox::Current() const {
  if (!IsMultipleSelection()) return static_cast<int>(SendMessageA(list_, LB_GETCURSEL, 0, 0));
  return static_cast<int>(SendMessageA(list_, LB_GETCARETINDEX, 0, 0));
}

void ListBox::SetCurrent(int index) {
  if (IsMultipleSelection()) {
    SendMessageA(list_, LB_SETCARETINDEX, index, FALSE);
  } else {
    SendMessageA(list_, LB_SETCURSEL, index, 0);
  }
}

void ListBox::Add(const std::string& text) {
  SendMessageW(list_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(WideFromAnsi(text).c_str()));
}

void ListBox::Remove(int index) { SendMessageA(list_, LB_DELETESTRING, index, 0); }

void ListBox::Clear() { SendMessageA(list_, LB_RESETCONTENT, 0, 0); }

// Entries this long are read back: a list control may keep less of an entry than it was given.
// No list control cuts shorter ones.
constexpr size_t kLongEntry = 256;

bool ListBox::Append(const std::string& text, std::wstring& wide) {
  // One byte gives at most one UTF-16 unit in every ANSI code page.
  wide.resize(text.size());
  const int length =
      text.empty() ? 0
                   : MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()),
                                         wide.data(), static_cast<int>(wide.size()));
  wide.resize(static_cast<size_t>(length));
  const LRESULT index = SendMessageW(list_, LB_INSERTSTRING, static_cast<WPARAM>(-1),
                                     reinterpret_cast<LPARAM>(wide.c_str()));
  if (index < 0) throw ListFull();
  // Plain ASCII reads the same in every ANSI code page; only other bytes need the way back.
  bool ascii = true;
  for (const char c : text) {
    if (c == '\0') return false;  // the entry ends there
    ascii = ascii && static_cast<unsigned char>(c) < 0x80;
  }
  if (!ascii && AnsiFromWide(wide) != text) return false;
  return wide.size() < kLongEntry || SendMessageW(list_, LB_GETTEXTLEN, static_cast<WPARAM>(index),
                                                  0) == static_cast<LRESULT>(wide.size());
}

std::vector<size_t> ListBox::Refill(const std::vector<std::string>& texts,
                                    const std::vector<bool>* selected) {
  RedrawSuspended quiet(list_);
  Clear();
  size_t bytes = 0;
  for (const std::string& text : texts) bytes += (text.size() + 1) * sizeof(wchar_t);
  SendMessageA(list_, LB_INITSTORAGE, texts.size(), bytes);
  std::vector<size_t> shownOtherwise;
  std::wstring wide;
  for (size_t i = 0; i < texts.size(); ++i) {
    if (!Append(texts[i], wide)) shownOtherwise.push_back(i);
  }
  if (selected && IsMultipleSelection()) {
    for (size_t i = 0; i < selected->size() && i < texts.size(); ++i) {
      if ((*selected)[i]) SendMessageA(list_, LB_SETSEL, TRUE, static_cast<LPARAM>(i));
    }
  }
  return shownOtherwise;
}

void ListBox::MoveEntry(int from, int to) {
  const LRESULT length = SendMessageW(list_, LB_GETTEXTLEN, from, 0);
  if (length == LB_ERR) return;
  std::wstring text(static_cast<size_t>(length) + 1, L'\0');
  SendMessageW(list_, LB_GETTEXT, from, reinterpret_cast<LPARAM>(text.data()));
  Remove(from);
  if (SendMessageW(list_, LB_INSERTSTRING, to, reinterpret_cast<LPARAM>(text.c_str())) < 0) {
    throw ListFull();
  }
  SetSelected(-1, false);  // -1: every entry
  SetSelected(to, true);
  SetCurrent(to);
}

}  // namespace platform
