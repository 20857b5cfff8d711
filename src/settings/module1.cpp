#include "settings/module1.h"

#include <windows.h>

#include <array>
#include <utility>

#include "platform/handles.h"
#include "platform/listing.h"
#include "platform/text.h"

namespace settings {
namespace {

// Profile strings are read through a fixed buffer, so at most 254 characters arrive.
constexpr DWORD kProfileBufferSize = 255;

// Stores value into the caller's variable, as text when that variable holds a string.
void Store(Setting& target, const Setting& value) {
  if (std::holds_alternative<std::string>(target)) {
    target = ToText(value);
  } else {
    target = value;
  }
}

// Predefined keys are sign-extended 32-bit values; widen the code back the same way.
HKEY KeyFromCode(std::int32_t code) { return reinterpret_cast<HKEY>(static_cast<LONG_PTR>(code)); }

// Profile reads always report 0. "S" reads text with the default as fallback text. "D" reads an
// integer when the default is a long (so it can serve as GetPrivateProfileIntA's fallback);
// every other combination delivers nothing and leaves the default in place.
std::int32_t ReadProfile(const std::string& file, const std::string& section,
                         const std::string& entry, const std::string& type,
                         const Setting& defaultValue, Setting& result) {
  if (type == "S") {
    char buffer[kProfileBufferSize];
    DWORD length =
        GetPrivateProfileStringA(section.c_str(), entry.c_str(), ToText(defaultValue).c_str(),
                                 buffer, kProfileBufferSize, file.c_str());
    Store(result, std::string(buffer, length));
  } else if (type == "D" && std::holds_alternative<std::int32_t>(defaultValue)) {
    UINT value = GetPrivateProfileIntA(section.c_str(), entry.c_str(),
                                       std::get<std::int32_t>(defaultValue), file.c_str());
    Store(result, static_cast<std::int32_t>(value));
  }
  return 0;
}

// Two-step text query: a zero-size probe learns the size, then a buffer that large is filled.
// size receives the byte count of the data, stored terminator included.
LONG QueryText(HKEY key, const std::string& name, std::string& data, DWORD& size) {
  BYTE probe = 0;
  size = 0;
  LONG status = RegQueryValueExA(key, name.c_str(), nullptr, nullptr, &probe, &size);
  if (status == ERROR_MORE_DATA) {
    data.assign(size, '\0');
    status = RegQueryValueExA(key, name.c_str(), nullptr, nullptr,
                              reinterpret_cast<BYTE*>(data.data()), &size);
  }
  return status;
}

// Fixed-size query; fails with ERROR_MORE_DATA when the value is longer than T.
template <typename T>
LONG QueryFixed(HKEY key, const std::string& name, T& value) {
  value = 0;
  DWORD size = sizeof(T);
  return RegQueryValueExA(key, name.c_str(), nullptr, nullptr, reinterpret_cast<BYTE*>(&value),
                          &size);
}

// The registry type of the value is never looked at: the letter alone decides how its bytes
// are taken. `view` selects the 32-bit or the 64-bit view of the registry.
std::int32_t ReadRegistryView(HKEY root, const std::string& key, const std::string& name,
                              const std::string& type, REGSAM view, Setting& result) {
  HKEY raw = nullptr;
  LONG status = RegOpenKeyExA(root, key.c_str(), 0, KEY_QUERY_VALUE | view, &raw);
  if (status != ERROR_SUCCESS) return status;
  platform::UniqueKey opened(raw);

  if (type == "S") {
    std::string data;
    DWORD size = 0;
    status = QueryText(opened.get(), name, data, size);
    if (status != ERROR_SUCCESS) return status;
    if (size == 0) {
      // A value without any data leaves the default in place.
      opened.reset();
      return 0;
    }
    data.resize(size - 1);  // Drop the stored terminator.
    Store(result, data);
  } else if (type == "B") {
    std::int16_t bits;
    status = QueryFixed(opened.get(), name, bits);
    if (status != ERROR_SUCCESS) return status;
    Store(result, BoolBits{bits});
  } else if (type == "D") {
    std::int32_t value;
    status = QueryFixed(opened.get(), name, value);
    if (status != ERROR_SUCCESS) return status;
    Store(result, value);
  }
  return RegCloseKey(opened.release());
}

// Reads as a 32-bit program does, from the view the game's 32-bit installer writes into on
// 64-bit Windows. A key or value missing there is looked for in the 64-bit view too, where a
// 64-bit tool may have written it. On 32-bit Windows both views are the same.
std::int32_t ReadRegistry(HKEY root, const std::string& key, const std::string& name,
                          const std::string& type, Setting& result) {
  const std::int32_t status = ReadRegistryView(root, key, name, type, KEY_WOW64_32KEY, result);
  if (status != ERROR_FILE_NOT_FOUND) return status;
  return ReadRegistryView(root, key, name, type, KEY_WOW64_64KEY, result);
}

}  // namespace

std::string ToText(const Setting& value) {
  if (const auto* text = std::get_if<std::string>(&value)) return *text;
  if (const auto* boolean = std::get_if<BoolBits>(&value)) {
    return boolean->bits != 0 ? "True" : "False";
  }
  return std::to_string(std::get<std::int32_t>(value));
}

std::int32_t RootKeyFromName(const std::string& name) {
  struct RootName {
    const char* name;
    HKEY key;
  };
  static const std::array<RootName, 6> kRoots = {{
      {"HKCU", HKEY_CURRENT_USER},
      {"HKLM", HKEY_LOCAL_MACHINE},
      {"HKU", HKEY_USERS},
      {"HKDD", HKEY_DYN_DATA},
      {"HKCC", HKEY_CURRENT_CONFIG},
      {"HKCR", HKEY_CLASSES_ROOT},
  }};
  const std::string upper = platform::UpperAnsi(name);
  for (const RootName& root : kRoots) {
    if (upper == root.name) {
      return static_cast<std::int32_t>(reinterpret_cast<ULONG_PTR>(root.key));
    }
  }
  // Folders, hidden and system files do not count; wildcards match as in a listing.
  return platform::AnyMatch(name, platform::ListFilter::kOrdinaryFiles) ? kProfileFile : 0;
}

std::int32_t ReadSetting(const std::string& root, const std::string& key,
                         const std::string& valueName, const std::string& typeLetter,
                         const Setting& defaultValue, Setting& result) {
  Store(result, defaultValue);
  const std::int32_t code = RootKeyFromName(root);
  if (code == 0) return kNotRead;
  const std::string type = platform::UpperAnsi(typeLetter);
  if (code == kProfileFile) return ReadProfile(root, key, valueName, type, defaultValue, result);
  return ReadRegistry(KeyFromCode(code), key, valueName, type, result);
}

std::int32_t ReadSetting(const std::string& root, const std::string& key,
                         const std::string& valueName, const std::string& typeLetter,
                         const Setting& defaultValue, std::string& result) {
  Setting variable = std::move(result);
  const std::int32_t status = ReadSetting(root, key, valueName, typeLetter, defaultValue, variable);
  result = std::get<std::string>(std::move(variable));
  return status;
}

}  // namespace settings
