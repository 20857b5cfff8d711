// A list box control seen as a list of texts with selected flags. Bulk
// operations suspend redrawing and refill in one pass, so lists of tens of
// thousands of entries stay instant.
#pragma once

#include <windows.h>

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
  void Insert(int index, const std::string& text);
  void Remove(int index);
  void Clear();

  // Replaces every entry. A sorted list receives the texts pre-sorted, so each
  // one lands at the end. `selected`, when given, sets the flags in the
  // order of `texts` (only meaningful for unsorted lists).
  void Refill(std::vector<std::string> texts, const std::vector<bool>* selected = nullptr);

  // The positions whose entry does not read back as `texts` holds it at the same position,
  // for an unsorted list just filled with `texts`: a list control may keep less of an entry than
  // it was given.
  std::vector<size_t> EntriesNotHeldWhole(const std::vector<std::string>& texts) const;

 private:
  bool IsSorted() const;
  bool IsMultipleSelection() const;

  HWND list_;
};

}  // namespace platform
