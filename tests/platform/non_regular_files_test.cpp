// Something other than a regular file where the program expects one of its
// files: a FIFO would make a plain open() wait for a writer forever, so each
// reader must refuse it at once, and no save may replace it.
#ifndef _WIN32

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <future>
#include <string>

#include "catalogue/database.h"
#include "platform/files.h"
#include "platform/regular_file.h"
#include "settings/locate.h"
#include "settings/settings.h"
#include "support/temp_dir.h"

using namespace tolm;
using tolm::test::TempDir;

// Records are written with only the fields a case cares about.
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"

namespace {

// Each maker gives false when it failed.
const struct {
    const char* name;
    bool (*make)(const std::string& path);
} kKinds[] = {
    {"FIFO", [](const std::string& path) { return ::mkfifo(path.c_str(), 0666) == 0; }},
    {"directory", [](const std::string& path) { return std::filesystem::create_directory(path); }}};

// Runs `check` with a time limit. Should it block on the FIFO, a writer is
// opened to release it and the test fails instead of hanging.
template <class Check> void withinSeconds(const std::string& fifo, Check check) {
    auto done = std::async(std::launch::async, check);
    if (done.wait_for(std::chrono::seconds(5)) == std::future_status::ready)
        return done.get();
    ADD_FAILURE() << "blocked on " << fifo;
    const int writer = ::open(fifo.c_str(), O_WRONLY | O_NONBLOCK);
    done.wait();
    if (writer >= 0)
        ::close(writer);
}

TEST(SpecialFiles, AreUnreadableNeverBlockAndAreNotReplaced) {
    for (const auto& kind : kKinds) {
        SCOPED_TRACE(kind.name);
        TempDir dir;
        const std::string ini = dir.sub("tolm.ini"), dat = dir.sub("tolm.dat");
        ASSERT_TRUE(kind.make(ini) && kind.make(dat));

        withinSeconds(ini, [&] {
            SettingsState settings;
            const SettingsLoadResult loaded = loadSettings(settings, ini, {});
            ASSERT_TRUE(loaded.error.has_value());
            EXPECT_NE(loaded.error->find("tolm.ini"), std::string::npos) << *loaded.error;
            EXPECT_EQ(settings, SettingsState{});
            std::string bytes;
            const platform::IoResult read = platform::readFile(ini, bytes);
            EXPECT_FALSE(read);
            EXPECT_NE(read.error.find("not a regular file"), std::string::npos) << read.error;
        });
        withinSeconds(dat, [&] {
            GameCatalogue catalogue{GameRecord{.name = "kept"}};
            const DatabaseLoadResult loaded = loadDatabase(catalogue, dat);
            EXPECT_EQ(loaded.status, DatabaseLoadResult::Status::Invalid);
            ASSERT_TRUE(loaded.message.has_value());
            EXPECT_EQ(loaded.message->title, "Invalid Database");
            EXPECT_EQ(catalogue, GameCatalogue{GameRecord{.name = "kept"}});
        });

        // There, but not a file: start-up tells it from a missing one, the
        // search-path lookups pass it over.
        EXPECT_TRUE(platform::pathExists(dat));
        EXPECT_FALSE(platform::pathExists(dir.sub("absent.dat")));
        EXPECT_FALSE(platform::fileExists(dat));
        EXPECT_FALSE(locateFile("tolm.dat", {dir.path() + platform::kPathSeparator}).found);

        // A save is refused and the special file stays what it was.
        for (const platform::IoResult& saved :
             {saveDatabase(GameCatalogue(1), dat), saveSettings(SettingsState{}, ini, {})}) {
            EXPECT_FALSE(saved);
            EXPECT_NE(saved.error.find("tolm."), std::string::npos) << saved.error;
        }
        for (const std::string& path : {ini, dat}) {
            struct stat info {};
            ASSERT_EQ(::lstat(path.c_str(), &info), 0);
            EXPECT_FALSE(S_ISREG(info.st_mode)) << path;
        }
        EXPECT_EQ(dir.countEntries(), 2) << "no temporary file left behind";
    }
}

} // namespace

#endif
