#include <gtest/gtest.h>

#include <chrono>
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
#else
const std::string kPrintArgs = "print_args";
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

} // namespace
