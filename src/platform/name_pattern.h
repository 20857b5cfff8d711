// Wildcard matching of listed names, with the letter-case rule passed in so
// that it needs no system call of its own.
#pragma once

#include <functional>
#include <string>
#include <string_view>

namespace platform {

using UpperCase = std::function<std::string(std::string_view)>;

// Matches a name against a pattern of "*" and "?", both upper-cased with
// `upper` first. A pattern ending in "." (such as "*.") matches names without
// an extension, and the entries "." and "..", as the platform's listings do.
bool MatchesNamePattern(std::string_view name, std::string_view pattern, const UpperCase& upper);

}  // namespace platform
