#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "catalogue/game_record.h"
#include "import/sgd_data.h"
#include "platform/files.h"
#include "platform/longpath.h"

namespace tolm {

// Adds one game per record to `catalogue`: `overwrite` replaces every game,
// otherwise they are appended (an emptied catalogue keeps its blank record in
// front of them). Each game's file is the record's file name joined to the
// GameDir its directory index names, or the bare name when the index names
// none, in the spelling `longPaths` gives. No records change nothing at all.
// `progress`, when given, hears the count of records converted after each.
// Returns how many games were added.
std::size_t importSgdRecords(GameCatalogue& catalogue, const SgdRecords& records,
                             const std::vector<std::string>& gameDirs, bool overwrite,
                             platform::LongPathResolver& longPaths,
                             const std::function<void(std::size_t)>& progress = {},
                             const std::function<bool()>& stopRequested = {});

// One data file a directory offers for import.
struct SgdDataFile {
    std::string fileName;
    std::uint64_t recordCount = 0;
};

// The plain files named *.dat (any letter case) in `directory`, sorted by
// name ignoring case. A directory that cannot be listed offers none.
std::vector<SgdDataFile> listSgdDataFiles(const std::string& directory);

// How the import dialog lists a file: "GAMES.DAT (100)".
std::string sgdListText(const SgdDataFile& file);

// What became of one chosen data file.
struct SgdFileOutcome {
    enum class Status { Imported, Missing, NoRecords, Unreadable };
    std::string fileName;
    Status status = Status::Imported;
    std::size_t games = 0;
    std::string error; // why it could not be read
};

struct SgdImportReport {
    std::vector<SgdFileOutcome> files;
    bool replacedCatalogue = false;
    bool stopped = false; // asked to stop between records; what came before is kept

    std::size_t gamesImported() const;
    std::size_t filesImported() const;
};

// Where a running import has got to.
struct SgdImportProgress {
    enum class Phase { Reading, Converting };
    std::string fileName;
    std::size_t fileNumber = 0; // 1-based
    std::size_t fileCount = 0;
    Phase phase = Phase::Reading;
    std::uint64_t done = 0;  // bytes read, or records converted
    std::uint64_t total = 0; // bytes in the file, or records in it
};

using SgdProgressFn = std::function<void(const SgdImportProgress&)>;

// What reading the chosen files gave, ready to be put into a catalogue:
// the games in order, and whether they replace it.
struct SgdImportBatch {
    SgdImportReport report;
    GameCatalogue games;
};

// importSgdFiles' reading and converting, into `batch` alone, so it can run
// away from the catalogue (on a worker) and be applied afterwards.
SgdImportBatch
readSgdFiles(const std::string& dataDirectory, const std::vector<std::string>& fileNames,
             const std::string& iniDirectory, bool overwrite, platform::LongPathResolver& longPaths,
             const SgdProgressFn& progress = {}, const std::function<bool()>& stopRequested = {});

// Puts a read batch into `catalogue`: replaces it when the batch says so,
// otherwise appends. Returns the position of the first game added.
std::size_t applySgdImport(GameCatalogue& catalogue, SgdImportBatch&& batch);

// The catalogue applySgdImport would make of `current`, as a new one: built
// where `current` may only be read (on a worker), then swapped in.
GameCatalogue catalogueWithImport(const GameCatalogue& current, SgdImportBatch&& batch);

// Imports the chosen files of `dataDirectory` in order, reading the GameDirs
// of "sgd.ini" in `iniDirectory` again for each. With `overwrite` the first
// file actually imported replaces the catalogue and the rest are appended; a
// file that is gone, unreadable or holds no record is skipped and does not
// use the overwrite up.
SgdImportReport importSgdFiles(GameCatalogue& catalogue, const std::string& dataDirectory,
                               const std::vector<std::string>& fileNames,
                               const std::string& iniDirectory, bool overwrite,
                               platform::LongPathResolver& longPaths,
                               const SgdProgressFn& progress = {},
                               const std::function<bool()>& stopRequested = {});

// One line for the status bar: how many games came from how many files, and
// which files were skipped and why.
std::string describeSgdImport(const SgdImportReport& report);

} // namespace tolm
