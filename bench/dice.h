// Seeded choices for the benchmarks' made-up data: the same figures run after run.
#pragma once

#include <array>
#include <cstddef>
#include <initializer_list>
#include <random>
#include <string_view>

namespace tolm::bench {

class Dice {
public:
    explicit Dice(std::uint32_t seed) : rng_(seed) {}

    int uniform(int low, int high) { return std::uniform_int_distribution<int>(low, high)(rng_); }
    bool chance(int percent) { return uniform(1, 100) <= percent; }
    template <std::size_t N> std::string_view pick(const std::string_view (&from)[N]) {
        return from[static_cast<std::size_t>(uniform(0, static_cast<int>(N) - 1))];
    }
    template <std::size_t N> std::string_view pick(const std::array<std::string_view, N>& from) {
        return from[static_cast<std::size_t>(uniform(0, static_cast<int>(N) - 1))];
    }
    std::string_view pick(std::initializer_list<std::string_view> from) {
        return *(from.begin() + uniform(0, static_cast<int>(from.size()) - 1));
    }

private:
    std::mt19937 rng_;
};

} // namespace tolm::bench
