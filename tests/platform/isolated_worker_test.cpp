#include <gtest/gtest.h>

#include <csignal>
#include <cstdio>
#include <memory>
#include <vector>

#include "platform/isolated_worker.h"
#include "support/temp_dir.h"

namespace tolm::platform {
namespace {

using namespace std::chrono_literals;

// Echoes its request, or fails the way the request names. "open" answers
// "opened" when the child may open a file.
std::string echoOrFail(std::string_view request) {
    if (request == "segv")
        std::raise(SIGSEGV);
    if (request == "hang") // spins rather than sleeps: sleeping is a system call
        for (volatile bool forever = true; forever;) {
        }
    if (request == "open") {
        std::FILE* file = std::fopen("/dev/null", "rb");
        if (!file)
            return "refused";
        std::fclose(file);
        return "opened";
    }
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
    std::vector<const char*> failures = {"segv", "hang"};
    if (IsolatedWorker::confinesChildren())
        failures.push_back("open"); // a confined child is killed for trying
    else
        EXPECT_EQ(worker.call("open"), "opened");
    for (const char* failure : failures) {
        const auto start = std::chrono::steady_clock::now();
        EXPECT_FALSE(worker.call(failure)) << failure;
        EXPECT_LT(std::chrono::steady_clock::now() - start, 30s) << "a stuck child is killed";
        EXPECT_EQ(worker.call("again"), "again") << "after " << failure;
        EXPECT_EQ(worker.childrenStarted(), ++children) << "a new child after " << failure;
    }
#endif
}

TEST(IsolatedWorker, SetsUpEachChildBeforeConfiningIt) {
    // The set-up may open files; the work after it may not.
    test::TempDir dir;
    dir.write("probe", "opened");
    const std::string probe = dir.sub("probe");
    const auto readProbe = [probe] {
        std::string text(6, '\0');
        std::FILE* file = std::fopen(probe.c_str(), "rb");
        if (!file)
            return std::string("refused");
        text.resize(std::fread(text.data(), 1, text.size(), file));
        std::fclose(file);
        return text;
    };
    auto setUp = std::make_shared<std::string>("never set up");
    IsolatedWorker worker(
        [setUp, readProbe](std::string_view request) {
            return request == "set-up" ? *setUp : readProbe();
        },
        5s, [setUp, readProbe] { *setUp = readProbe(); });
    EXPECT_EQ(worker.call("set-up"), "opened");
    if (!IsolatedWorker::confinesChildren()) {
        EXPECT_EQ(worker.call("open"), "opened");
        return;
    }
    EXPECT_FALSE(worker.call("open"));
    EXPECT_EQ(worker.call("set-up"), "opened") << "the next child is set up afresh";
    EXPECT_EQ(worker.childrenStarted(), 2);
}

} // namespace
} // namespace tolm::platform
