// The cycle file codec on any bytes: the parse never faults and agrees with a plain
// character-by-character reading, and what it parses comes back from a write exactly, each line
// ended by CR LF, and from a read of that.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "game_files/cycle_file.h"

namespace {

using Entries = std::vector<std::string>;

void Check(bool holds) {
  if (!holds) std::abort();
}

// CR LF, a lone CR and a lone LF each end a line; a last line without one counts.
Entries ReadLineByLine(std::string_view bytes) {
  Entries lines;
  std::string line;
  bool open = false;
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    if (bytes[i] == '\r' || bytes[i] == '\n') {
      lines.push_back(line);
      line.clear();
      open = false;
      if (bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') ++i;
    } else {
      line += bytes[i];
      open = true;
    }
  }
  if (open) lines.push_back(line);
  return lines;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);

  const Entries parsed = cycle::ParseCycle(bytes);
  Check(parsed == ReadLineByLine(bytes));
  // The lines parsed hold no line break: each comes back from a write exactly, ended by CR LF.
  std::string expected;
  for (const std::string& entry : parsed) expected += entry + "\r\n";
  const std::string written = cycle::FormatCycle(parsed);
  Check(written == expected);
  Check(cycle::ParseCycle(written) == parsed);
  return 0;
}
