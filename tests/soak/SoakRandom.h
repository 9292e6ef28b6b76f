#pragma once

#include <cstdint>
#include <iterator>
#include <random>

namespace vantrel::soak {

// The run's one source of chance, so that a seed repeats the same script of faults and edits.
class SoakRandom {
public:
    explicit SoakRandom(std::uint64_t seed) : engine_(seed) {}

    // 0 to n - 1.
    int below(int n) { return static_cast<int>(engine_() % static_cast<std::uint64_t>(n)); }
    // lowest to highest, both included.
    int between(int lowest, int highest) { return lowest + below(highest - lowest + 1); }
    bool chance(int percent) { return below(100) < percent; }
    std::uint8_t byte() { return static_cast<std::uint8_t>(below(256)); }

    template <typename Choices>
    const auto& pick(const Choices& choices) {
        return choices[static_cast<std::size_t>(below(static_cast<int>(std::size(choices))))];
    }

private:
    std::mt19937_64 engine_;
};

} // namespace vantrel::soak
