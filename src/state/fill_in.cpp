#include "state/fill_in.h"

#include <algorithm>
#include <string_view>

#include "catalogue/game_editing.h"
#include "catalogue/genres.h"
#include "core/text.h"
#include "core/tosec_name.h"
#include "platform/codepage.h"
#include "platform/file_index.h"
#include "settings/locate.h"

namespace tolm {
namespace {

// Without archive info to read, progress is reported this often: a call per game would cost more
// than the names take to read.
constexpr std::size_t kProgressStep = 256;

std::string_view fileNameOf(std::string_view path) {
    const std::size_t separator = path.find_last_of(kPathSeparator == '\\' ? "\\/" : "/");
    return separator == std::string_view::npos ? path : path.substr(separator + 1);
}

// Whether `name` is what the naming rules of old made of `fileName`, with or
// without its compression extension taken off first: such a name came from
// the file, not from the user.
bool isOldRuleName(std::string_view name, std::string_view fileName) {
    const std::string_view stem = withoutCompressionExtensions(fileName);
    for (const std::string_view file : {fileName, stem}) {
        // Up to the first dot (Add Multiple) or the last (Add Game).
        if (name == file.substr(0, file.find('.')) || name == file.substr(0, file.rfind('.')))
            return true;
    }
    return false;
}

// Whether the file may hold archive info: a TZX tape, or a compressed file
// that does not say it holds something else. Other kinds are not read at all.
bool mayHoldArchiveInfo(std::string_view fileName) {
    const std::string_view stem = withoutCompressionExtensions(fileName);
    const std::size_t dot = stem.rfind('.');
    if (dot == std::string_view::npos)
        return stem.size() < fileName.size();
    const std::string_view extension = stem.substr(dot + 1);
    if (extension.size() == 3 && (extension[0] | 0x20) == 't' && (extension[1] | 0x20) == 'z' &&
        (extension[2] | 0x20) == 'x')
        return true;
    return stem.size() < fileName.size() && !isGameFileExtension(extension);
}

std::string yearText(std::int32_t year) {
    return year > 0 ? std::to_string(year) : std::string();
}

class Proposer {
public:
    Proposer(std::vector<FillInProposal>& out, std::int32_t game) : out_(out), game_(game) {}

    void propose(FillInField field, std::string now, std::string proposed, bool ticked) {
        if (proposed.empty() || proposed == now || !platform::isAnsiRepresentable(proposed))
            return;
        out_.push_back({game_, field, std::move(now), std::move(proposed), ticked});
    }

private:
    std::vector<FillInProposal>& out_;
    std::int32_t game_;
};

} // namespace

const char* fillInFieldName(FillInField field) {
    switch (field) {
    case FillInField::Name:
        return "Name";
    case FillInField::Year:
        return "Year";
    case FillInField::Publisher:
        return "Publisher";
    case FillInField::Authors:
        return "Authors";
    case FillInField::Genre:
        return "Genre";
    }
    return "";
}

FillInResult proposeFillIns(const GameCatalogue& catalogue, const SettingsState& settings,
                            const std::vector<std::int32_t>& games,
                            const ArchiveInfoReader& readArchiveInfo,
                            const FillInProgress& progress) {
    FillInResult result;
    platform::FileIndex index;
    const std::size_t total = games.size();
    for (std::size_t i = 0; i < total; ++i) {
        // A tape read takes a while: with archive info, report every game.
        if (progress && (readArchiveInfo || i % kProgressStep == 0) && !progress(i, total)) {
            result.cancelled = true;
            return result;
        }
        const std::int32_t position = games[i];
        if (position < 0 || static_cast<std::size_t>(position) >= catalogue.size())
            continue;
        const GameRecord& game = catalogue[static_cast<std::size_t>(position)];
        const std::string_view romFile = trimBlanks(game.romFile);
        if (game.name.empty() || romFile.empty() ||
            romFile.find_first_of("*?") != std::string_view::npos)
            continue; // no game, no file, or a pattern that names no one file
        const LocatedFile located = locateFile(game.romFile, settings.romPaths, index);
        if (!located.found)
            continue;
        ++result.filesFound;

        const std::string_view fileName = fileNameOf(located.path);
        const std::optional<TosecName> tosec = parseTosecName(fileName);
        std::optional<screens::ArchiveInfo> info;
        if (readArchiveInfo && mayHoldArchiveInfo(fileName))
            info = readArchiveInfo(located.path);
        // The tape's own words are the better source for what both give.
        std::int32_t year = tosec ? tosec->year : 0;
        std::string publisher = tosec ? tosec->publisher : std::string();
        std::string authors;
        if (info) {
            if (info->year > 0)
                year = info->year;
            if (!trimBlanks(info->publisher).empty())
                publisher = trimBlanks(info->publisher);
            authors = trimBlanks(info->authors);
        }

        Proposer proposer(result.proposals, position);
        if (tosec)
            proposer.propose(FillInField::Name, game.name, tosec->name,
                             isOldRuleName(game.name, fileName));
        proposer.propose(FillInField::Year, yearText(game.year), yearText(year), game.year < 1);
        proposer.propose(FillInField::Publisher, game.publisher, std::move(publisher),
                         game.publisher.empty());
        proposer.propose(FillInField::Authors, game.authors, std::move(authors),
                         game.authors.empty());
    }
    if (progress)
        progress(total, total);
    return result;
}

std::vector<std::int32_t> applyFillIns(GameCatalogue& catalogue,
                                       const std::vector<FillInProposal>& proposals) {
    std::vector<std::int32_t> changed;
    std::vector<bool> seen(catalogue.size());
    for (const FillInProposal& proposal : proposals) {
        if (!proposal.ticked || proposal.game < 0 ||
            static_cast<std::size_t>(proposal.game) >= catalogue.size())
            continue;
        GameRecord& game = catalogue[static_cast<std::size_t>(proposal.game)];
        switch (proposal.field) {
        case FillInField::Name:
            if (game.name != proposal.now)
                continue;
            game.name = proposal.proposed;
            break;
        case FillInField::Year:
            if (yearText(game.year) != proposal.now)
                continue;
            game.year = leadingNumber(proposal.proposed);
            break;
        case FillInField::Publisher:
            if (game.publisher != proposal.now)
                continue;
            game.publisher = proposal.proposed;
            break;
        case FillInField::Authors:
            if (game.authors != proposal.now)
                continue;
            game.authors = proposal.proposed;
            break;
        case FillInField::Genre: {
            const auto known = std::find(GenreTable.begin(), GenreTable.end(), proposal.proposed);
            if (genreText(game.genre) != proposal.now || known == GenreTable.end())
                continue;
            game.genre = static_cast<std::int32_t>(known - GenreTable.begin());
            break;
        }
        }
        if (!seen[static_cast<std::size_t>(proposal.game)]) {
            seen[static_cast<std::size_t>(proposal.game)] = true;
            changed.push_back(proposal.game);
        }
    }
    return changed;
}

} // namespace tolm
