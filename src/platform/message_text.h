// Wording that messages of more than one window share. Window-free.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "platform/status.h"

namespace platform {

// The title of a box that says why an action the user asked for stops.
inline constexpr char kCannotContinueTitle[] = "Cannot Continue";

// What a box says when a listing of `pattern` found nothing.
inline std::string NothingListedText(const std::string& pattern) {
  return "No files present in: " + pattern;
}

// Each of `lines` after a line break.
inline std::string LinesOf(const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& line : lines) text += "\n" + line;
  return text;
}

// Why a switch or a save in `folder` did not go on: a switch cut short there
// could not be put back (`error` says what failed).
inline std::string PutBackFailedText(const std::string& folder, const Status& error) {
  return "A switch of the bot profile files in \"" + folder +
         "\" did not finish, and putting its files back as they were failed. " + error.Message();
}

// Each of `lines` after a line break, the first `most` of them, then a line
// "and N more" for the rest when there are more.
inline std::string FirstLinesAndCount(const std::vector<std::string>& lines, std::size_t most) {
  std::string text;
  for (std::size_t i = 0; i < lines.size() && i < most; ++i) text += "\n" + lines[i];
  if (lines.size() > most) text += "\nand " + std::to_string(lines.size() - most) + " more";
  return text;
}

}  // namespace platform
