// Bounds on positions read from data files. Nothing in a level comes near
// them, and keeping every stored coordinate inside them keeps the sums the
// game forms (position + offset + size + speed) far from integer overflow.
#pragma once

#include <algorithm>

constexpr int kMaxCoordinate = 1000000;

inline int clamp_coordinate(long long v) {
    return static_cast<int>(std::clamp<long long>(v, -kMaxCoordinate, kMaxCoordinate));
}
