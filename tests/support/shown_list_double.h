// A plain stand-in for a list control as the editor's model drives it: it shows
// each entry as a code page without letters past ASCII would (every other byte
// as '?', and cut at a NUL), and keeps selected flags the tests set.
#pragma once

#include <cctype>
#include <cstddef>
#include <string>
#include <vector>

#include "cycle_editor/editor_model.h"

namespace testing_support {

// The order of the all-maps list, by bytes with ASCII letters ignoring case.
inline int CompareNoCase(const std::string& a, const std::string& b) {
  for (std::size_t i = 0; i < a.size() && i < b.size(); ++i) {
    const int x = std::tolower(static_cast<unsigned char>(a[i]));
    const int y = std::tolower(static_cast<unsigned char>(b[i]));
    if (x != y) return x < y ? -1 : 1;
  }
  return a.size() < b.size() ? -1 : (a.size() > b.size() ? 1 : 0);
}

class ShownListDouble : public cycle::ShownList {
 public:
  static std::string Shown(const std::string& bytes) {
    std::string shown = bytes.substr(0, bytes.find('\0'));
    for (char& c : shown) c = static_cast<unsigned char>(c) < 0x80 ? c : '?';
    return shown;
  }

  std::vector<bool> Selection() const override { return selected; }
  std::vector<std::size_t> Show(const std::vector<std::string>& entries,
                                const std::vector<bool>& flags) override {
    shown.clear();
    std::vector<std::size_t> otherwise;
    for (std::size_t i = 0; i < entries.size(); ++i) {
      shown.push_back(Shown(entries[i]));
      if (shown.back() != entries[i]) otherwise.push_back(i);
    }
    selected = flags;
    return otherwise;
  }
  void MoveEntry(std::size_t from, std::size_t to) override {
    std::swap(shown[from], shown[to]);  // one place away: a swap
    selected.assign(shown.size(), false);
    selected[to] = true;
    current = to;
  }

  // True when every entry shows the model's bytes at the same position.
  bool Agrees(const std::vector<std::string>& model) const {
    if (model.size() != shown.size() || selected.size() != shown.size()) return false;
    for (std::size_t i = 0; i < model.size(); ++i) {
      if (shown[i] != Shown(model[i])) return false;
    }
    return true;
  }

  std::vector<std::string> shown;
  std::vector<bool> selected;
  std::size_t current = 0;
};

}  // namespace testing_support
