// The saving side of the kill-during-save experiment (tools/stress.sh):
//   stress_tool prepare <dir> <games>      writes <dir>/tolm.dat (catalogue A)
//   stress_tool save-loop <dir> <games> <marker>
//       saves catalogues B and A over <dir>/tolm.dat in turn, for ever,
//       creating <marker> when the first save begins: the harness kills it
//       at a random moment;
//   stress_tool save-once <dir> <games>    one save of B; fails when it fails
//   stress_tool check <dir> <games>        tolm.dat must load and be exactly
//       A or B; the temporary files an interrupted save left are then
//       removed as start-up does, and nothing else may remain. Prints "A"
//       or "B", plus " temporary" when a temporary file was left.
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>

#include "catalogue/database.h"
#include "platform/files.h"
#include "platform/temporary_names.h"

namespace {

using tolm::GameCatalogue;

// Catalogue A has `games` records, B one fewer and every text changed, so a
// mix of the two never passes for either.
GameCatalogue makeCatalogue(char variant, int games) {
    GameCatalogue catalogue;
    for (int i = 0; i < (variant == 'A' ? games : games - 1); ++i) {
        const std::string tag = variant + std::to_string(i);
        catalogue.push_back({"Game " + tag, i % 130, tag + "a.scr," + tag + "b.scr", 1982 + i % 10,
                             "Notes for " + tag + "\r\nsecond line", tag + ".tap",
                             "Publisher " + std::to_string(i % 97), "Author " + tag,
                             i % 3 == 0 ? tag + ".ay" : std::string()});
    }
    return catalogue;
}

int save(const GameCatalogue& catalogue, const std::string& database) {
    const tolm::platform::IoResult saved = tolm::saveDatabase(catalogue, database);
    if (!saved)
        std::cerr << saved.error << '\n';
    return saved ? 0 : 1;
}

int check(const std::string& dir, const std::string& database, int games) {
    GameCatalogue loaded;
    if (tolm::loadDatabase(loaded, database).status != tolm::DatabaseLoadResult::Status::Loaded) {
        std::cout << "damaged\n";
        return 1;
    }
    // The count says which one it must be; building only that one halves the time.
    const char variant = loaded.size() == static_cast<std::size_t>(games) ? 'A' : 'B';
    if (loaded != makeCatalogue(variant, games)) {
        std::cout << "mixed\n";
        return 1;
    }
    const bool leftTemporary =
        !tolm::platform::removeStaleTemporaryFiles(dir, {"tolm.dat", "tolm.ini"}).empty();
    for (const auto& entry : std::filesystem::directory_iterator(dir))
        if (entry.path().filename() != "tolm.dat") {
            std::cout << "left behind: " << entry.path().filename().string() << '\n';
            return 1;
        }
    std::cout << variant << (leftTemporary ? " temporary" : "") << '\n';
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    const std::string command = argc > 1 ? argv[1] : "";
    const int games = argc > 3 ? std::atoi(argv[3]) : 0;
    if (games < 2) {
        std::cerr << "usage: stress_tool prepare|save-once|check <dir> <games>\n"
                     "       stress_tool save-loop <dir> <games> <marker>\n";
        return 2;
    }
    const std::string dir = argv[2], database = dir + tolm::platform::kPathSeparator + "tolm.dat";
    if (command == "prepare" || command == "save-once")
        return save(makeCatalogue(command == "prepare" ? 'A' : 'B', games), database);
    if (command == "check")
        return check(dir, database, games);
    if (command == "save-loop" && argc == 5) {
        const GameCatalogue a = makeCatalogue('A', games), b = makeCatalogue('B', games);
        std::ofstream(argv[4]) << "saving\n";
        for (;;)
            for (const GameCatalogue* catalogue : {&b, &a})
                if (save(*catalogue, database) != 0)
                    return 1;
    }
    std::cerr << "unknown command " << command << '\n';
    return 2;
}
