// The rotation shuffle on lists of up to 512 entries and draws taken from the
// fuzz input, including values outside [0, 1) that a faulty source could give:
// the result is always a permutation with the first entry at index count / 2,
// and with draws in [0, 1) it is the draw-and-delete procedure written out.
#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <string>
#include <vector>

#include "cycle_editor/shuffle.h"

namespace {

using Names = std::vector<std::string>;

void Check(bool holds) {
  if (!holds) std::abort();
}

// Draws made from the input bytes, starting over at the end of them.
class Draws {
 public:
  Draws(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}

  double Next() {
    std::uint64_t bits = 0;
    for (int i = 0; i < 8; ++i) bits = bits << 8 | Byte();
    switch (Byte() % 8) {
      case 0:  // any double: NaN, infinities, negatives, 1 and above
        double any;
        std::memcpy(&any, &bits, sizeof any);
        inRange_ = inRange_ && any >= 0.0 && any < 1.0;
        return any;
      case 1:
        return std::nextafter(1.0, 0.0);
      case 2:
        return 0.0;
      default:
        return static_cast<double>(bits >> 11) * 0x1.0p-53;  // 53 random bits in [0, 1)
    }
  }
  bool inRange() const { return inRange_; }

 private:
  std::uint8_t Byte() { return size_ == 0 ? 0 : data_[next_++ % size_]; }

  const std::uint8_t* data_;
  std::size_t size_;
  std::size_t next_ = 0;
  bool inRange_ = true;
};

// Draws p = floor(r * remaining + 1) among the entries after the first and deletes it, last
// place first; then the first entry goes to the middle. On entry numbers: cheap deletions.
std::vector<std::size_t> Literal(std::size_t n, const std::vector<double>& draws) {
  if (n == 0) return {};
  std::vector<std::size_t> list(n), picked(n);
  for (std::size_t i = 0; i < n; ++i) list[i] = i;
  for (std::size_t i = n - 1, d = 0; i >= 1; --i, ++d) {
    const auto p = std::min(static_cast<std::size_t>(std::floor(draws[d] * i + 1)), i);
    picked[i] = list[p];
    list.erase(list.begin() + static_cast<std::ptrdiff_t>(p));
  }
  std::vector<std::size_t> result(picked.begin() + 1, picked.end());
  result.insert(result.begin() + static_cast<std::ptrdiff_t>(n / 2), list[0]);
  return result;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 2) return 0;
  const std::size_t count = (data[0] | data[1] << 8) % 513;
  Names names(count);
  for (std::size_t i = 0; i < count; ++i) names[i] = "m" + std::to_string(i);

  Draws source(data + 2, size - 2);
  std::vector<double> drawn;
  Names shuffled = cycle::ShuffleRotation(names, [&] { return drawn.emplace_back(source.Next()); });

  Check(drawn.size() == (count == 0 ? 0 : count - 1) && shuffled.size() == count);
  if (count > 0) Check(shuffled[count / 2] == names[0]);
  const std::vector<std::size_t> literal =
      source.inRange() ? Literal(count, drawn) : std::vector<std::size_t>();
  std::vector<bool> seen(count);
  for (std::size_t i = 0; i < count; ++i) {
    const std::size_t entry = std::stoul(shuffled[i].substr(1));  // "m<number>"
    Check(entry < count && !seen[entry]);
    seen[entry] = true;
    if (!literal.empty()) Check(entry == literal[i]);
  }
  return 0;
}
