// A list box control seen as a list of texts with selected flags. Bulk
// operations suspend redrawing and refill in one pass, so lists of tens of
// thousands of entries stay instant.
#pragma once

#include <windows.h>

#include <stdexcept>
#include <string>
#include <vector>

namespace platform {

class ListBox {
 public:
  explicit ListBox(HWND list) : list_(list) {}

  HWND handle() const { return list_; }
  int Count() const;
  std::string Text(int index) const;
  std::vector<std::string> Texts() const;

  bool IsSelected(int index) const;
  void SetSelected(int index, bool selected);
  std::vector<bool> Selection() const;
  int SelectedCount() const;
  // The entry with the focus mark (for a single-selection list, the selection).
  int Current() const;
  void SetCurrent(int index);

  // Adds at the end, or at the sorted place in a sorted list.
  void Add(const std::string& text);
  void Remove(int index);
  void Clear();

  // Thrown when the list control refuses an entry (LB_ERR, LB_ERRSPACE: out of memory); the
  // list then holds fewer entries than it was given.
  struct ListFull : std::runtime_error {
    ListFull() : std::runtime_error("The list could not take every entry: out of memory.") {}
  };

  // Replaces every entry with `texts`, in their order: a sorted list does not re-sort them, so
  // the caller keeps them in order. `selected`, when given, sets the flags in the order of
  // `texts`. Returns the positions of the entries shown other than `texts` holds them: cut at a
  // NUL byte, holding bytes that the ANSI code page cannot turn into characters and back, or
  // held shorter than given.
  std::vector<size_t> Refill(const std::vector<std::string>& texts,
                             const std::vector<bool>* selected = nullptr);

  // Moves the entry at `from` to `to` (one place away) as it is shown, and leaves it the only
  // selected entry and the current one.
  void MoveEntry(int from, int to);

 private:
  // Appends `text` at the end, a sorted list included; false when it is shown otherwise.
  // `wide` is a buffer reused from entry to entry.
  bool Append(const std::string& text, std::wstring& wide);
  bool IsMultipleSelection() const;

  HWND list_;
};

}  // namespace platform
