#include <gtest/gtest.h>

#include <csignal>
#include <thread>

#include "platform/isolated_worker.h"

namespace tolm::platform {
namespace {

using namespace std::chrono_literals;

// Echoes its request, or fails the way the request names.
std::string echoOrFail(std::string_view request) {
    if (request == "segv")
        std::raise(SIGSEGV);
    if (request == "hang")
        std::this_thread::sleep_for(60s);
    return std::string(request);
}

TEST(IsolatedWorker, AnswersEachRequestAndOutlivesAChildThatFails) {
    IsolatedWorker worker(echoOrFail, 1s);
    const std::string big(1 << 20, 'x'); // more than a socket holds at once
    for (const std::string& request : {std::string("screen"), std::string(), big})
        EXPECT_EQ(worker.call(request), request);

#ifdef _WIN32
    GTEST_SKIP() << "POSIX only: the work runs in this process";
#else
    EXPECT_EQ(worker.childrenStarted(), 1) << "one child serves one request after another";
    int children = 1;
    for (const char* failure : {"segv", "hang"}) {
        const auto start = std::chrono::steady_clock::now();
        EXPECT_FALSE(worker.call(failure)) << failure;
        EXPECT_LT(std::chrono::steady_clock::now() - start, 30s) << "a stuck child is killed";
        EXPECT_EQ(worker.call("again"), "again") << "after " << failure;
        EXPECT_EQ(worker.childrenStarted(), ++children) << "a new child after " << failure;
    }
#endif
}

} // namespace
} // namespace tolm::platform
