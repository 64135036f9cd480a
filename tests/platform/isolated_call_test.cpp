#include <gtest/gtest.h>

#include <csignal>
#include <cstdlib>
#include <thread>

#include "platform/isolated_call.h"

namespace tolm::platform {
namespace {

using namespace std::chrono_literals;

TEST(RunIsolated, GivesTheResultOrNothingWhenTheWorkFails) {
    EXPECT_EQ(runIsolated([] { return std::string("screen"); }, 5s), "screen");
    EXPECT_EQ(runIsolated([] { return std::string(); }, 5s), "");
    // More than a pipe holds at once.
    const std::string big(1 << 20, 'x');
    EXPECT_EQ(runIsolated([&] { return big; }, 10s), big);

#ifndef _WIN32
    EXPECT_FALSE(runIsolated([]() -> std::string { std::abort(); }, 5s));
    EXPECT_FALSE(runIsolated(
        []() -> std::string {
            std::raise(SIGSEGV);
            return "x";
        },
        5s));
    EXPECT_FALSE(runIsolated([]() -> std::string { std::_Exit(3); }, 5s));
    const auto start = std::chrono::steady_clock::now();
    EXPECT_FALSE(runIsolated(
        [] {
            std::this_thread::sleep_for(60s);
            return std::string("late");
        },
        200ms));
    EXPECT_LT(std::chrono::steady_clock::now() - start, 30s) << "a stuck child is killed";
#endif
}

} // namespace
} // namespace tolm::platform
