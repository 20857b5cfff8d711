// Case rules for the system's 8-bit (ANSI code page) text.
#pragma once

#include <string>
#include <string_view>

namespace platform {

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
