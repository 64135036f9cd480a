#include "import/sgd_import.h"

#include <algorithm>
#include <iterator>

#include "catalogue/genres.h"
#include "core/text.h"
#include "import/sgd_ini.h"
#include "platform/codepage.h"
#include "platform/files.h"
#include "platform/listing.h"
#include "platform/mounts.h"

namespace tolm {
namespace {

std::string withoutSpaces(std::string text) {
    text.erase(std::remove(text.begin(), text.end(), ' '), text.end());
    return text;
}

std::string cleanText(const SgdRecord& record, SgdField field) {
    return platform::ansiToUtf8(cleanSgdField(record.field(field)));
}

std::int32_t genreOf(const SgdRecord& record) {
    return mapSgdGenreCode(lowerAscii(cleanSgdField(record.field(sgd_field::kGenre)))).value_or(0);
}

std::string romFileOf(const SgdRecord& record, const std::vector<std::string>& gameDirs,
                      platform::LongPathResolver& longPaths) {
    const std::string name =
        platform::ansiToUtf8(withoutSpaces(cleanSgdField(record.field(sgd_field::kFileName))));
    // Without a name a GameDir alone would pass for the game's file.
    if (name.empty())
        return {};
    // Read as it stands: blanks inside the number are skipped.
    const std::int32_t index = leadingNumber(record.field(sgd_field::kDirectoryIndex));
    if (index < 0 || static_cast<std::size_t>(index) >= gameDirs.size())
        return longPaths.longPathOf(name);
    return longPaths.longPathOf(
        platform::joinPath(gameDirs[static_cast<std::size_t>(index)], name));
}

GameRecord gameOf(const SgdRecord& record, const std::vector<std::string>& gameDirs,
                  platform::LongPathResolver& longPaths) {
    GameRecord game;
    game.name = cleanText(record, sgd_field::kName);
    game.genre = genreOf(record);
    game.year = leadingNumber(cleanSgdField(record.field(sgd_field::kYear)));
    game.romFile = romFileOf(record, gameDirs, longPaths);
    game.publisher = cleanText(record, sgd_field::kPublisher);
    game.authors = cleanText(record, sgd_field::kAuthors);
    return game;
}

bool isDataFileName(std::string_view name) {
    return name.size() > 4 && equalsIgnoringCase(name.substr(name.size() - 4), ".dat");
}

// The system's reason alone, without the "Unable to read <path>: " in front.
std::string reasonOf(const std::string& error, const std::string& path) {
    const std::string prefix = "Unable to read " + path + ": ";
    return error.rfind(prefix, 0) == 0 ? error.substr(prefix.size()) : error;
}

std::string counted(std::size_t n, const char* one, const char* many) {
    return std::to_string(n) + ' ' + (n == 1 ? one : many);
}

} // namespace

std::size_t importSgdRecords(GameCatalogue& catalogue, const SgdRecords& records,
                             const std::vector<std::string>& gameDirs, bool overwrite,
                             platform::LongPathResolver& longPaths,
                             const std::function<void(std::size_t)>& progress,
                             const std::function<bool()>& stopRequested) {
    if (records.empty())
        return 0;
    if (overwrite)
        catalogue.clear();
    catalogue.reserve(catalogue.size() + records.size());
    for (std::size_t i = 0; i < records.size(); ++i) {
        if (stopRequested && stopRequested())
            return i;
        catalogue.push_back(gameOf(records[i], gameDirs, longPaths));
        if (progress)
            progress(i + 1);
    }
    return records.size();
}

std::vector<SgdDataFile> listSgdDataFiles(const std::string& directory) {
    std::vector<platform::PlainFile> files;
    if (!platform::plainFilesIn(directory, files))
        return {};
    std::vector<SgdDataFile> dataFiles;
    for (platform::PlainFile& file : files)
        if (isDataFileName(file.name))
            dataFiles.push_back({std::move(file.name), sgdRecordCount(file.size)});
    std::sort(dataFiles.begin(), dataFiles.end(), [](const SgdDataFile& a, const SgdDataFile& b) {
        return platform::lessIgnoringAsciiCase(a.fileName, b.fileName);
    });
    return dataFiles;
}

std::string sgdListText(const SgdDataFile& file) {
    return file.fileName + " (" + std::to_string(file.recordCount) + ")";
}

std::size_t SgdImportReport::gamesImported() const {
    std::size_t games = 0;
    for (const SgdFileOutcome& file : files)
        games += file.games;
    return games;
}

std::size_t SgdImportReport::filesImported() const {
    return static_cast<std::size_t>(
        std::count_if(files.begin(), files.end(), [](const SgdFileOutcome& file) {
            return file.status == SgdFileOutcome::Status::Imported;
        }));
}

SgdImportBatch readSgdFiles(const std::string& dataDirectory,
                            const std::vector<std::string>& fileNames,
                            const std::string& iniDirectory, bool overwrite,
                            platform::LongPathResolver& longPaths, const SgdProgressFn& progress,
                            const std::function<bool()>& stopRequested) {
    SgdImportBatch batch;
    SgdImportReport& report = batch.report;
    bool replaceNext = overwrite;
    for (std::size_t i = 0; i < fileNames.size(); ++i) {
        if (stopRequested && stopRequested()) {
            report.stopped = true;
            break;
        }
        SgdFileOutcome& outcome = report.files.emplace_back();
        outcome.fileName = fileNames[i];
        const std::string path = platform::joinPath(dataDirectory, fileNames[i]);
        SgdImportProgress step{
            fileNames[i], i + 1, fileNames.size(), SgdImportProgress::Phase::Reading, 0, 0};
        const auto length = platform::fileLength(path);
        if (!length) {
            outcome.status = SgdFileOutcome::Status::Missing;
            continue;
        }
        step.total = *length;
        if (progress)
            progress(step);

        SgdRecords records;
        const platform::IoResult read = loadSgdFile(path, records, [&](std::uint64_t bytes) {
            step.done = bytes;
            if (progress)
                progress(step);
        });
        if (!read) {
            outcome.status = SgdFileOutcome::Status::Unreadable;
            outcome.error = reasonOf(read.error, path);
            continue;
        }
        if (records.empty()) {
            outcome.status = SgdFileOutcome::Status::NoRecords;
            continue;
        }

        const std::vector<std::string> gameDirs = readGameDirs(iniDirectory, longPaths);
        step.phase = SgdImportProgress::Phase::Converting;
        step.done = 0;
        step.total = records.size();
        // Nothing was imported before the first file that replaces: the
        // batch is empty then, and applying it clears the catalogue.
        outcome.games = importSgdRecords(
            batch.games, records, gameDirs, false, longPaths,
            [&](std::size_t converted) {
                step.done = converted;
                if (progress)
                    progress(step);
            },
            stopRequested);
        if (stopRequested && stopRequested() && outcome.games < records.size())
            report.stopped = true;
        if (replaceNext) {
            report.replacedCatalogue = true;
            replaceNext = false;
        }
    }
    return batch;
}

std::size_t applySgdImport(GameCatalogue& catalogue, SgdImportBatch&& batch) {
    if (batch.report.replacedCatalogue)
        catalogue.clear();
    const std::size_t first = catalogue.size();
    if (catalogue.empty()) {
        catalogue = std::move(batch.games);
    } else {
        catalogue.reserve(catalogue.size() + batch.games.size());
        std::move(batch.games.begin(), batch.games.end(), std::back_inserter(catalogue));
    }
    return first;
}

GameCatalogue catalogueWithImport(const GameCatalogue& current, SgdImportBatch&& batch) {
    if (batch.report.replacedCatalogue)
        return std::move(batch.games);
    GameCatalogue joined;
    joined.reserve(current.size() + batch.games.size());
    joined.insert(joined.end(), current.begin(), current.end());
    std::move(batch.games.begin(), batch.games.end(), std::back_inserter(joined));
    return joined;
}

SgdImportReport importSgdFiles(GameCatalogue& catalogue, const std::string& dataDirectory,
                               const std::vector<std::string>& fileNames,
                               const std::string& iniDirectory, bool overwrite,
                               platform::LongPathResolver& longPaths, const SgdProgressFn& progress,
                               const std::function<bool()>& stopRequested) {
    SgdImportBatch batch = readSgdFiles(dataDirectory, fileNames, iniDirectory, overwrite,
                                        longPaths, progress, stopRequested);
    SgdImportReport report = batch.report;
    applySgdImport(catalogue, std::move(batch));
    return report;
}

std::string describeSgdImport(const SgdImportReport& report) {
    std::string text = "Imported " + counted(report.gamesImported(), "game", "games") + " from " +
                       counted(report.filesImported(), "file", "files");
    std::string skipped;
    for (const SgdFileOutcome& file : report.files) {
        std::string why;
        switch (file.status) {
        case SgdFileOutcome::Status::Imported:
            continue;
        case SgdFileOutcome::Status::Missing:
            why = "not found";
            break;
        case SgdFileOutcome::Status::NoRecords:
            why = "holds no record";
            break;
        case SgdFileOutcome::Status::Unreadable:
            why = "could not be read: " + file.error;
            break;
        }
        skipped += skipped.empty() ? "; skipped " : ", ";
        skipped += file.fileName + " (" + why + ")";
    }
    return text + skipped + ".";
}

} // namespace tolm
