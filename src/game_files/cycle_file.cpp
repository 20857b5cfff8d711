#include "game_files/cycle_file.h"

#include <algorithm>

namespace cycle {

std::vector<std::string> ParseCycle(std::string_view bytes) {
  std::vector<std::string> lines;
  lines.reserve(static_cast<std::size_t>(std::count(bytes.begin(), bytes.end(), '\n')) + 1);
  std::size_t lineStart = 0;
  std::size_t pos = 0;
  while (pos < bytes.size()) {
    const char c = bytes[pos];
    if (c != '\r' && c != '\n') {
      ++pos;
      continue;
    }
    lines.emplace_back(bytes.substr(lineStart, pos - lineStart));
    // A CR directly followed by LF is one terminator, not two.
    pos += (c == '\r' && pos + 1 < bytes.size() && bytes[pos + 1] == '\n') ? 2 : 1;
    lineStart = pos;
  }
  if (lineStart < bytes.size()) lines.emplace_back(bytes.substr(lineStart));
  return lines;
}

std::string FormatCycle(const std::vector<std::string>& entries) {
  constexpr std::string_view kLineEnd = "\r\n";
  std::size_t total = 0;
  for (const auto& entry : entries) total += entry.size() + kLineEnd.size();
  std::string text;
  text.reserve(total);
  for (const auto& entry : entries) {
    text += entry;
    text += kLineEnd;
  }
  return text;
}

}  // namespace cycle
