// Signals become calls on an ordinary thread, and stop coming when asked.
#ifndef _WIN32

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <csignal>
#include <thread>

#include "platform/termination_requests.h"

namespace {

using namespace std::chrono_literals;

bool waitFor(const std::atomic<int>& value, int wanted) {
    for (int i = 0; i < 500 && value.load() < wanted; ++i)
        std::this_thread::sleep_for(10ms);
    return value.load() >= wanted;
}

TEST(TerminationRequests, EachSignalBecomesACallUntilWatchingStops) {
    std::atomic<int> calls{0};
    std::atomic<bool> onWatcherThread{true};
    const auto testThread = std::this_thread::get_id();
    ASSERT_TRUE(tolm::platform::watchTerminationRequests([&] {
        onWatcherThread = onWatcherThread && std::this_thread::get_id() != testThread;
        ++calls;
    }));
    EXPECT_FALSE(tolm::platform::watchTerminationRequests([] {})) << "one watcher at a time";

    int expected = 0;
    for (int signalNumber : {SIGTERM, SIGHUP, SIGINT}) {
        ASSERT_EQ(std::raise(signalNumber), 0);
        EXPECT_TRUE(waitFor(calls, ++expected)) << "signal " << signalNumber;
    }
    EXPECT_TRUE(onWatcherThread);

    // A new watcher may take over once the first has stopped.
    tolm::platform::stopWatchingTerminationRequests();
    std::atomic<int> laterCalls{0};
    ASSERT_TRUE(tolm::platform::watchTerminationRequests([&] { ++laterCalls; }));
    ASSERT_EQ(std::raise(SIGTERM), 0);
    EXPECT_TRUE(waitFor(laterCalls, 1));
    EXPECT_EQ(calls.load(), expected);
    tolm::platform::stopWatchingTerminationRequests();
}

} // namespace

#endif
