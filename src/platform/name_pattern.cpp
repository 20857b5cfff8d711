#include "platform/name_pattern.h"

namespace platform {
namespace {

bool GlobMatch(std::string_view name, std::string_view pattern) {
  // Iterative matcher with one back-tracking point: linear in practice.
  size_t n = 0, p = 0, starP = std::string_view::npos, starN = 0;
  while (n < name.size()) {
    if (p < pattern.size() && (pattern[p] == '?' || pattern[p] == name[n])) {
      ++n, ++p;
    } else if (p < pattern.size() && pattern[p] == '*') {
      starP = p++, starN = n;
    } else if (starP != std::string_view::npos) {
      p = starP + 1, n = ++starN;
    } else {
      return false;
    }
  }
  while (p < pattern.size() && pattern[p] == '*') ++p;
  return p == pattern.size();
}

}  // namespace

bool MatchesNamePattern(std::string_view name, std::string_view pattern, const UpperCase& upper) {
  if (!pattern.empty() && pattern.back() == '.' && pattern != "." && pattern != "..") {
    if (name == "." || name == "..") return true;
    if (name.find('.') != std::string_view::npos) return false;
    pattern.remove_suffix(1);
  }
  return GlobMatch(upper(name), upper(pattern));
}

}  // namespace platform
