#include <gtest/gtest.h>

#include <chrono>
#include <future>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "platform/process.h"
#include "support/temp_dir.h"

using namespace tolm::platform;
using tolm::test::TempDir;

namespace {

TEST(windowsCommandLine, QuotesAsTheCRuntimeSplits) {
    // clang-format off
    const struct { std::vector<std::string> arguments; const char* line; } cases[] = {
        {{"", "tab\there"}, "\"C:\\emu\\fuse.exe\" \"\" \"tab\there\""},
        {{R"(say "hi")"}, R"("C:\emu\fuse.exe" "say \"hi\"")"},
        // Backslashes are doubled only before a quote, the closing one included.
        {{R"(C:\my roms\)"}, R"("C:\emu\fuse.exe" "C:\my roms\\")"},
        {{R"(C:\roms\)"}, R"("C:\emu\fuse.exe" C:\roms\)"},
        {{R"(a\\"b)"}, R"("C:\emu\fuse.exe" "a\\\\\"b")"}};
    // clang-format on
    for (const auto& [arguments, line] : cases)
        EXPECT_EQ(windowsCommandLine(R"(C:\emu\fuse.exe)", arguments), line);
}

#ifdef _WIN32
const std::string kPrintArgs = "print_args.exe";
const std::string kSleeper = "sleeper.exe";
#else
const std::string kPrintArgs = "print_args";
const std::string kSleeper = "sleeper";
#endif

// The helper program writes what reached it, each argument ended by a NUL;
// the arguments must arrive as they were given, byte for byte, on both systems.
TEST(startProgram, EveryArgumentArrivesUnchanged) {
    TempDir dir;
    const std::string report = dir.sub("arguments.txt");
    // clang-format off
    const std::vector<std::string> arguments = {
        "two  blanks", "tab\there", R"(say "hi")", R"(ends with two\\)", R"(a\\"b)", "", " ",
        "a&b|c %PATH% $HOME", "Mot\xC3\xB6rhead \xCE\x95\xCE\xBB \xE6\x97\xA5\xE6\x9C\xAC", "last"};
    // clang-format on
    std::vector<std::string> all = {report};
    all.insert(all.end(), arguments.begin(), arguments.end());
    const IoResult started = startProgram(programDirectory() + kPathSeparator + kPrintArgs, all);
    ASSERT_TRUE(started) << started.error;

    // Nothing waits for a started program: the report is awaited instead. It
    // is renamed into place whole, but the renaming may hold it a moment
    // longer (as Windows may), so it is read once it opens.
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
    std::string arrived;
    while (!readFile(report, arrived) && std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    std::string expected;
    for (const std::string& argument : arguments)
        expected += argument + '\0';
    EXPECT_EQ(arrived, expected);
}

// A followed program reports its end once, after it ran as long as it does;
// a watch given up first reports nothing; a program that cannot start says
// why and leaves nothing to watch.
TEST(startWatchedProgram, ReportsTheEndAfterTheProgramRan) {
    using namespace std::chrono;
    const std::string sleeper = programDirectory() + kPathSeparator + kSleeper;
    // clang-format off
    const struct { const char* name; std::string program; const char* runMs; bool giveUp;
                   bool starts, ends; long minMs; } cases[] = {
        {"runs a second", sleeper, "1000", false, true, true, 950},
        {"ends at once", sleeper, "0", false, true, true, 0},
        {"given up", sleeper, "300", true, true, false, 0},
        {"no such program", sleeper + "-missing", "0", false, false, false, 0},
    };
    // clang-format on
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        auto ended = std::make_shared<std::promise<steady_clock::time_point>>();
        std::future<steady_clock::time_point> end = ended->get_future();
        const auto start = steady_clock::now();
        WatchedStart started = startWatchedProgram(
            c.program, {c.runMs}, [ended] { ended->set_value(steady_clock::now()); });
        ASSERT_EQ(static_cast<bool>(started.result), c.starts) << started.result.error;
        EXPECT_EQ(started.watch != nullptr, c.starts);
        if (!c.starts) {
            EXPECT_FALSE(started.result.error.empty());
            continue;
        }
        if (c.giveUp)
            started.watch.reset();
        const std::future_status status = end.wait_for(c.ends ? seconds(60) : milliseconds(800));
        ASSERT_EQ(status == std::future_status::ready, c.ends);
        if (c.ends) {
            EXPECT_GE(duration_cast<milliseconds>(end.get() - start).count(), c.minMs);
        }
    }
}

} // namespace
