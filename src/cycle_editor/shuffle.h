// The "Randomize List" shuffle of the map rotation.
#pragma once

#include <functional>
#include <string>
#include <vector>

namespace cycle {

// Shuffles the rotation by repeatedly drawing (and removing) one of the maps after the first
// one, then puts the first map in the middle: at index count / 2. nextUniform returns values
// in [0, 1); it is called count - 1 times (never for an empty list). For a given sequence of
// draws the result is fixed, so tests can replay it.
std::vector<std::string> ShuffleRotation(std::vector<std::string> rotation,
                                         const std::function<double()>& nextUniform);

}  // namespace cycle
