// Outcomes of given draws are shown on the editor window, and fuzz/shuffle_fuzz.cpp holds the
// shuffle against the procedure written out literally; here it is checked for fairness.
#include "cycle_editor/shuffle.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>

namespace {

using Names = std::vector<std::string>;
using Draw = std::function<double()>;

Names Numbered(std::size_t count) {
  Names names(count);
  for (std::size_t i = 0; i < count; ++i) names[i] = std::to_string(i);
  return names;
}

// The shuffle's draw-and-delete procedure with its draw one place too low (floor(r * i), not
// floor(r * i + 1)): a fault the fairness check must catch.
Names OffByOne(Names list, const Draw& next) {
  const std::size_t n = list.size();
  Names result(n - 1);
  for (std::size_t i = n - 1; i >= 1; --i) {
    const std::size_t p = std::clamp<std::size_t>(std::floor(next() * i), 1, i);
    result[i - 1] = list[p];
    list.erase(list.begin() + static_cast<std::ptrdiff_t>(p));
  }
  result.insert(result.begin() + static_cast<std::ptrdiff_t>(n / 2), list[0]);
  return result;
}

// Over many presses on six maps, the first never comes first and the others
// do about equally often: chi-square with 4 degrees of freedom, p = 0.001.
bool FirstPlaceLooksUniform(const std::function<Names(Names, const Draw&)>& shuffle) {
  std::mt19937 gen(2024);
  const Draw next = [&] { return std::generate_canonical<double, 32>(gen); };
  std::vector<int> counts(6);
  for (int press = 0; press < 30000; ++press) ++counts[std::stoi(shuffle(Numbered(6), next)[0])];
  double chiSquare = 0;
  for (int i = 1; i <= 5; ++i) chiSquare += std::pow(counts[i] - 6000.0, 2) / 6000.0;
  return counts[0] == 0 && chiSquare < 18.47;
}

TEST(ShuffleRotationTest, EveryOtherMapComesFirstEquallyOften) {
  EXPECT_TRUE(FirstPlaceLooksUniform(cycle::ShuffleRotation));
  EXPECT_FALSE(FirstPlaceLooksUniform(OffByOne)) << "the check misses an off-by-one draw";
}

}  // namespace
