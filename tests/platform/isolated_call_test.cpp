#include <gtest/gtest.h>

#include <csignal>
#include <cstdlib>
#include <thread>

#include "platform/isolated_call.h"

namespace tolm::platform {
namespace {

using namespace std::chrono_literals;

TEST(RunIsolated, GivesTheResultOrNothingWhenTheWorkFails) {
    const std::string big(1 << 20, 'x'); // more than a pipe holds at once
    for (const std::string& result : {std::string("screen"), std::string(), big})
        EXPECT_EQ(runIsolated([&] { return result; }, 10s), result);
#ifndef _WIN32
    EXPECT_FALSE(runIsolated([]() -> std::string { std::abort(); }, 5s));
    EXPECT_FALSE(runIsolated([]() -> std::string { std::_Exit(3); }, 5s));
    EXPECT_FALSE(runIsolated([] { return std::raise(SIGSEGV) == 0 ? "x" : "y"; }, 5s));
    const auto start = std::chrono::steady_clock::now();
    const auto stuck = [] {
        std::this_thread::sleep_for(60s);
        return std::string("late");
    };
    EXPECT_FALSE(runIsolated(stuck, 200ms));
    EXPECT_LT(std::chrono::steady_clock::now() - start, 30s) << "a stuck child is killed";
#endif
}

} // namespace
} // namespace tolm::platform
