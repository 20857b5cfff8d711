// The system's 8-bit (ANSI code page) text: case rules, and the one place
// where it is converted to and from the UTF-16 text that controls hold.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace platform {

// ANSI code page text as UTF-16 and back, exactly as long as it is: embedded
// NULs are converted like any other character, and the result lives on the
// heap whatever its length.
std::wstring WideFromAnsi(std::string_view text);
std::string AnsiFromWide(std::wstring_view text);

// UTF-8 text in the ANSI code page when that holds every character of it
// exactly (no best-fit look-alike, no default character); nothing otherwise,
// or when the text is not valid UTF-8.
std::optional<std::string> ExactAnsiFromUtf8(std::string_view utf8);

// UTF-8 text in the ANSI code page for showing only: a character the code
// page lacks becomes the code page's default character ("?").
std::string ShownAnsiFromUtf8(std::string_view utf8);

// Whether `byte` starts a two-byte character of the ANSI code page.
bool AnsiLeadByte(unsigned char byte);

// Upper case by the system's rules for the ANSI code page.
std::string UpperAnsi(std::string_view text);

// Orders text alphabetically ignoring letter case, the way a sorted list box
// does: negative, zero or positive.
int CompareNoCase(const std::string& a, const std::string& b);

// Matches a name against a pattern of "*" and "?" ignoring case. A pattern
// ending in "." (such as "*.") matches names without an extension, and the
// entries "." and "..", as the platform's listings do.
bool MatchesPattern(std::string_view name, std::string_view pattern);

}  // namespace platform
