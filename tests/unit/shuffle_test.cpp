#include "cycle_editor/shuffle.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <map>
#include <random>
#include <string>
#include <vector>

namespace cycle {
namespace {

using Names = std::vector<std::string>;
using RankFormula = std::function<std::size_t(double r, std::size_t remaining)>;

std::size_t ClampedRank(double r, std::size_t remaining) {
  const auto rank = static_cast<std::size_t>(std::floor(r * static_cast<double>(remaining) + 1));
  return rank > remaining ? remaining : rank;
}

// The shuffle procedure written out literally: delete the drawn entry from the list each time.
Names LiteralShuffle(Names list, const std::function<double()>& next,
                     const RankFormula& rank = ClampedRank) {
  const std::size_t n = list.size();
  if (n == 0) return {};
  Names picked(n);
  for (std::size_t i = n - 1, remaining = n - 1; i >= 1; --i, --remaining) {
    const std::size_t p = rank(next(), remaining);
    picked[i] = list[p];
    list.erase(list.begin() + static_cast<std::ptrdiff_t>(p));
  }
  picked[0] = list[0];
  Names result(picked.begin() + 1, picked.end());
  result.insert(result.begin() + static_cast<std::ptrdiff_t>(n / 2), picked[0]);
  return result;
}

Names MakeNames(std::size_t count) {
  Names names;
  for (std::size_t i = 0; i < count; ++i) names.push_back("map" + std::to_string(i));
  return names;
}

std::function<double()> Replay(std::vector<double> draws) {
  return [draws, index = std::size_t{0}]() mutable { return draws.at(index++); };
}

TEST(ShuffleRotationTest, FixedOutcomes) {
  int calls = 0;
  EXPECT_TRUE(ShuffleRotation({}, [&] {
                ++calls;
                return 0.5;
              }).empty());
  EXPECT_EQ(calls, 0);
  EXPECT_EQ(ShuffleRotation({"A"},
                            [&] {
                              ++calls;
                              return 0.5;
                            }),
            Names{"A"});
  EXPECT_EQ(calls, 0);
  for (double r : {0.0, 0.5, 0.999}) {
    EXPECT_EQ(ShuffleRotation({"A", "B"}, Replay({r})), (Names{"B", "A"}));
  }
  EXPECT_EQ(ShuffleRotation({"A", "B", "C", "D", "E"}, Replay({0, 0, 0, 0})),
            (Names{"E", "D", "A", "C", "B"}));
  EXPECT_EQ(ShuffleRotation({"A", "B", "C", "D", "E"}, Replay({0.9, 0.1, 0.7, 0.3})),
            (Names{"C", "D", "A", "B", "E"}));
}

TEST(ShuffleRotationTest, MatchesLiteralProcedure) {
  std::mt19937 gen(12345);
  std::uniform_real_distribution<double> uniform(0.0, 1.0);
  std::uniform_int_distribution<std::size_t> size(0, 70);
  for (int trial = 0; trial < 500; ++trial) {
    std::vector<double> draws(200);
    for (double& r : draws) r = uniform(gen);
    const Names names = MakeNames(trial < 20 ? static_cast<std::size_t>(trial) : size(gen));
    EXPECT_EQ(ShuffleRotation(names, Replay(draws)), LiteralShuffle(names, Replay(draws)))
        << "trial " << trial << ", " << names.size() << " maps";
  }
}

TEST(ShuffleRotationTest, DrawJustBelowOneTakesLastRemainingMap) {
  const Names names = MakeNames(32767);
  Names expected(names.begin() + 1, names.end());
  expected.insert(expected.begin() + 32767 / 2, names[0]);
  const auto almostOne = [] { return std::nextafter(1.0, 0.0); };
  EXPECT_EQ(ShuffleRotation(names, almostOne), expected);
}

TEST(ShuffleRotationTest, LargeListKeepsEveryEntry) {
  const Names names = MakeNames(4 * 32767);
  std::mt19937 gen(7);
  std::uniform_real_distribution<double> uniform(0.0, 1.0);
  const Names shuffled = ShuffleRotation(names, [&] { return uniform(gen); });
  EXPECT_EQ(shuffled.size(), names.size());
}

// How often each map ends up first after many presses on a fresh 6-map list.
std::map<std::string, int> FirstPlaceCounts(
    const std::function<Names(const Names&, const std::function<double()>&)>& shuffle) {
  std::mt19937 gen(2024);
  std::uniform_real_distribution<double> uniform(0.0, 1.0);
  const std::function<double()> next = [&] { return uniform(gen); };
  std::map<std::string, int> counts;
  for (int press = 0; press < 30000; ++press) ++counts[shuffle(MakeNames(6), next).front()];
  return counts;
}

// True when the five maps after the first each come first about equally often: chi-square
// with 4 degrees of freedom below its 0.1% critical value.
bool FirstPlaceLooksUniform(const std::map<std::string, int>& counts) {
  int total = 0;
  for (const auto& [name, count] : counts) total += count;
  const double expected = total / 5.0;
  double chiSquare = 0;
  for (int i = 1; i <= 5; ++i) {
    const auto found = counts.find("map" + std::to_string(i));
    const double diff = (found == counts.end() ? 0 : found->second) - expected;
    chiSquare += diff * diff / expected;
  }
  return counts.count("map0") == 0 && chiSquare < 18.47;
}

TEST(ShuffleRotationTest, EveryOtherMapComesFirstEquallyOften) {
  EXPECT_TRUE(FirstPlaceLooksUniform(FirstPlaceCounts(ShuffleRotation)));
}

TEST(ShuffleRotationTest, UniformityCheckCatchesOffByOneDraw) {
  const RankFormula offByOne = [](double r, std::size_t remaining) {
    const auto rank = static_cast<std::size_t>(std::floor(r * static_cast<double>(remaining)));
    return rank < 1 ? std::size_t{1} : rank;
  };
  EXPECT_FALSE(FirstPlaceLooksUniform(
      FirstPlaceCounts([&](const Names& names, const std::function<double()>& next) {
        return LiteralShuffle(names, next, offByOne);
      })));
}

}  // namespace
}  // namespace cycle
