// The byte-order marks that may start a text file. Window-free.
#pragma once

#include <string_view>

namespace platform {

inline constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";
inline constexpr std::string_view kUtf16LeMark = "\xFF\xFE";
inline constexpr std::string_view kUtf16BeMark = "\xFE\xFF";

// Whether `bytes` start with a UTF-16 byte-order mark, of either byte order.
inline bool StartsWithUtf16Mark(std::string_view bytes) {
  return bytes.starts_with(kUtf16LeMark) || bytes.starts_with(kUtf16BeMark);
}

}  // namespace platform
