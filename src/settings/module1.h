// Reads one named setting from the registry or from a profile (INI) file.
#pragma once

#include <cstdint>
#include <string>
#include <variant>

namespace settings {

// A VB-style Boolean: the 16 bits exactly as read, not normalised to 0/-1.
struct BoolBits {
  std::int16_t bits;
  friend bool operator==(const BoolBits&, const BoolBits&) = default;
};

// The caller's variable: text, a Boolean, or a 32-bit signed long.
using Setting = std::variant<std::string, BoolBits, std::int32_t>;

// Returned by RootKeyFromName when the name is a file rather than a root key.
inline constexpr std::int32_t kProfileFile = 1;
// Status of a read that never reached the registry or a file.
inline constexpr std::int32_t kNotRead = 99;

// Text form of a setting: strings as they are, longs in decimal, Booleans as "True"/"False".
std::string ToText(const Setting& value);

// Maps "HKCU", "HKLM", "HKU", "HKDD", "HKCC" or "HKCR" (any letter case) to the predefined key's
// 32-bit handle value; otherwise 1 when the name (wildcards allowed) matches at least one
// ordinary file, else 0.
std::int32_t RootKeyFromName(const std::string& name);

// Reads valueName under key of root into result, typed by typeLetter ("S" text, "B" Boolean,
// "D" long). result first receives defaultValue and keeps it whenever nothing is read. When
// result holds a string beforehand, whatever is stored into it is converted to text.
// Returns 99 for an unknown root, 0 for a profile file, otherwise the first failing registry
// call's code or RegCloseKey's code.
std::int32_t ReadSetting(const std::string& root, const std::string& key,
                         const std::string& valueName, const std::string& typeLetter,
                         const Setting& defaultValue, Setting& result);

// Same, for callers whose variable is a string.
std::int32_t ReadSetting(const std::string& root, const std::string& key,
                         const std::string& valueName, const std::string& typeLetter,
                         const Setting& defaultValue, std::string& result);

}  // namespace settings
