// Timing shared by the benchmarks: wall-clock milliseconds and medians of
// several runs, so that one slow run on a busy machine does not set a figure.
#pragma once

#include <algorithm>
#include <chrono>
#include <cstddef>
#include <functional>
#include <utility>
#include <vector>

namespace tolm::bench {

using Clock = std::chrono::steady_clock;

inline double msSince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// Milliseconds `work` takes.
inline double timeMs(const std::function<void()>& work) {
    const auto start = Clock::now();
    work();
    return msSince(start);
}

// The middle sample; for an even count, halfway between the middle two.
inline double median(std::vector<double> samples) {
    std::sort(samples.begin(), samples.end());
    const std::size_t middle = samples.size() / 2;
    return samples.size() % 2 == 1 ? samples[middle]
                                   : (samples[middle - 1] + samples[middle]) / 2.0;
}

// The median of `runs` samples, each the figure one call of `sample` returns
// (for runs that time only part of what they do).
inline double medianOf(int runs, const std::function<double()>& sample) {
    std::vector<double> samples;
    samples.reserve(static_cast<std::size_t>(runs));
    for (int run = 0; run < runs; ++run)
        samples.push_back(sample());
    return median(std::move(samples));
}

// The median time of `runs` calls of `work`, each after an untimed `prepare`.
inline double medianMs(int runs, const std::function<void()>& prepare,
                       const std::function<void()>& work) {
    return medianOf(runs, [&] {
        prepare();
        return timeMs(work);
    });
}

inline double medianMs(int runs, const std::function<void()>& work) {
    return medianMs(
        runs, [] {}, work);
}

} // namespace tolm::bench
