#include "platform/path.h"

#include "platform/ascii_case.h"

namespace platform {
namespace {

bool IsSeparator(char c) { return c == '\\' || c == '/'; }

// Calls `visit(position, length)` for each character of `text`: one byte, or
// two for a lead byte followed by its second byte. A lead byte at the very end
// stands alone.
template <typename Visit>
void ForEachCharacter(std::string_view text, LeadByteRule leadByte, Visit visit) {
  for (std::size_t at = 0; at < text.size();) {
    const std::size_t length =
        leadByte(static_cast<unsigned char>(text[at])) && at + 1 < text.size() ? 2 : 1;
    visit(at, length);
    at += length;
  }
}

// The text compared: lower-cased single-byte letters, '\' for every separator.
std::string Folded(std::string_view folder, LeadByteRule leadByte) {
  std::string folded = WindowsFolder(folder, leadByte);
  ForEachCharacter(folded, leadByte, [&](std::size_t at, std::size_t length) {
    if (length == 1) folded[at] = AsciiLower(folded[at]);
  });
  return folded;
}

}  // namespace

bool NoLeadBytes(unsigned char) { return false; }

std::size_t LastSeparator(std::string_view path, LeadByteRule leadByte) {
  std::size_t last = std::string_view::npos;
  ForEachCharacter(path, leadByte, [&](std::size_t at, std::size_t length) {
    if (length == 1 && IsSeparator(path[at])) last = at;
  });
  return last;
}

bool EndsWithSeparator(std::string_view path, LeadByteRule leadByte) {
  const std::size_t last = LastSeparator(path, leadByte);
  return last != std::string_view::npos && last + 1 == path.size();
}

std::string FolderOf(std::string_view path, LeadByteRule leadByte) {
  const std::size_t slash = LastSeparator(path, leadByte);
  if (slash == std::string_view::npos) return ".";
  if (slash == 2 && path[1] == ':') return std::string(path.substr(0, 3));  // "C:\"
  return std::string(path.substr(0, slash));
}

std::string WindowsFolder(std::string_view folder, LeadByteRule leadByte) {
  std::string windows(folder);
  ForEachCharacter(windows, leadByte, [&](std::size_t at, std::size_t length) {
    if (length == 1 && windows[at] == '/') windows[at] = '\\';
  });
  while (windows.size() > 1 && EndsWithSeparator(windows, leadByte) &&
         !(windows.size() == 3 && windows[1] == ':')) {
    windows.pop_back();
  }
  return windows;
}

std::string PathBelow(std::string_view folder, std::string_view name, LeadByteRule leadByte) {
  std::string path(folder);
  if (!path.empty() && !EndsWithSeparator(path, leadByte)) path += '\\';
  return path.append(name);
}

std::string ResolvedFrom(std::string_view base, std::string_view folder, LeadByteRule leadByte) {
  const bool absolute =
      (!folder.empty() && IsSeparator(folder.front())) ||
      (folder.size() >= 2 && folder[1] == ':' && !leadByte(static_cast<unsigned char>(folder[0])));
  if (absolute || folder.empty()) return std::string(folder);
  return PathBelow(base, folder, leadByte);
}

bool SameFolder(std::string_view a, std::string_view b, LeadByteRule leadByte) {
  return Folded(a, leadByte) == Folded(b, leadByte);
}

}  // namespace platform
