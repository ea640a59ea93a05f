// The lowest of the last N values pushed, in constant time per value
// (amortised): only the values that may still become the lowest are kept,
// each lower than every one kept after it, oldest first. Values pushed
// before the first N count as `fill`. Allocates nothing.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace mixer {

template <size_t N>
class SlidingMinimum {
    static_assert(N > 0);

public:
    explicit SlidingMinimum(float fill) : fill_(fill) {}

    // Adds a value; returns the lowest of the last N (this one included).
    float push(float value) {
        const uint64_t index = pushed_++;
        if (count_ > 0 && index_[first_] + N <= index) {  // left the window
            first_ = (first_ + 1) % N;
            --count_;
        }
        while (count_ > 0 && value_[(first_ + count_ - 1) % N] >= value) --count_;
        const size_t last = (first_ + count_) % N;
        value_[last] = value;
        index_[last] = index;
        ++count_;
        const float lowest = value_[first_];
        return pushed_ < N && fill_ < lowest ? fill_ : lowest;
    }

    void reset() { first_ = count_ = 0, pushed_ = 0; }

private:
    float fill_;
    std::array<float, N> value_{};
    std::array<uint64_t, N> index_{};
    size_t first_ = 0, count_ = 0;
    uint64_t pushed_ = 0;
};

}  // namespace mixer
