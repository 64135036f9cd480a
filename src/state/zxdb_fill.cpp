#include "state/zxdb_fill.h"

#include <algorithm>
#include <string_view>

#include "catalogue/genres.h"
#include "core/text.h"
#include "platform/codepage.h"

namespace tolm {
namespace {

// A fill-in over many games reports this often, as the file-based one does.
constexpr std::size_t kProgressStep = 256;

std::string yearText(std::int32_t year) {
    return year > 0 ? std::to_string(year) : std::string();
}

// The game's own bracketed groups and flags, which ZXDB's title knows nothing
// of: its name from the first " (" or "[" on, with the blanks before them.
std::string_view nameSuffix(std::string_view name) {
    std::size_t group = std::min(name.find(" ("), name.find('['));
    if (group == std::string_view::npos)
        return {};
    while (group > 0 && name[group - 1] == ' ')
        --group;
    return name.substr(group);
}

// A genre the user has not narrowed down: none, or a group's catch-all.
bool lacksGenre(std::int32_t genre) {
    return genre == 0 || genreText(genre).empty() || genreText(genre).ends_with("[uncategorized]");
}

class Proposer {
public:
    Proposer(std::vector<FillInProposal>& out, std::int32_t game) : out_(out), game_(game) {}

    void propose(FillInField field, std::string now, std::string_view proposed, bool ticked) {
        bool adapted = false;
        std::string text = platform::nearestAnsiText(proposed, &adapted);
        if (text.empty() || text == now)
            return;
        out_.push_back({game_, field, std::move(now), std::move(text), ticked, adapted});
    }

private:
    std::vector<FillInProposal>& out_;
    std::int32_t game_;
};

} // namespace

std::vector<FillInProposal> proposeFromZxdb(const GameRecord& game, std::int32_t position,
                                            const zxdb::Entry& entry, ZxdbTicking ticking) {
    std::vector<FillInProposal> proposals;
    Proposer proposer(proposals, position);
    const bool all = ticking == ZxdbTicking::LookUp;

    const std::string_view title = trimBlanks(entry.title);
    if (!title.empty())
        proposer.propose(FillInField::Name, game.name,
                         std::string(title).append(nameSuffix(game.name)), false);
    proposer.propose(FillInField::Year, yearText(game.year), yearText(entry.year),
                     all || game.year < 1);
    proposer.propose(FillInField::Publisher, game.publisher, trimBlanks(entry.publisher),
                     all || game.publisher.empty());
    proposer.propose(FillInField::Authors, game.authors, trimBlanks(entry.authors),
                     all || game.authors.empty());
    if (const std::optional<std::int32_t> genre = zxdb::genreFromZxdb(entry.genre))
        proposer.propose(FillInField::Genre, std::string(genreText(game.genre)), genreText(*genre),
                         all || lacksGenre(game.genre));
    return proposals;
}

ZxdbFillInResult proposeZxdbFillIns(const GameCatalogue& catalogue, const ZxdbData& zxdb,
                                    const std::vector<std::int32_t>& games,
                                    const FillInProgress& progress) {
    ZxdbFillInResult result;
    const std::size_t total = games.size();
    for (std::size_t i = 0; i < total; ++i) {
        if (progress && i % kProgressStep == 0 && !progress(i, total)) {
            result.cancelled = true;
            return result;
        }
        const std::int32_t position = games[i];
        if (position < 0 || static_cast<std::size_t>(position) >= catalogue.size())
            continue;
        const GameRecord& game = catalogue[static_cast<std::size_t>(position)];
        if (game.name.empty())
            continue;
        zxdb::Match match = zxdb.matcher.match(game.name, game.year, game.publisher, game.romFile);
        switch (match.kind) {
        case zxdb::MatchKind::None:
            ++result.unmatched;
            break;
        case zxdb::MatchKind::Unique: {
            ++result.matched;
            const zxdb::Entry& entry = zxdb.index.entries[match.candidates.front().entry];
            for (FillInProposal& proposal :
                 proposeFromZxdb(game, position, entry, ZxdbTicking::FillIn))
                result.proposals.push_back(std::move(proposal));
            break;
        }
        case zxdb::MatchKind::Ambiguous: {
            ZxdbAmbiguity& ambiguity = result.ambiguous.emplace_back();
            ambiguity.game = position;
            for (const zxdb::Candidate& candidate : match.candidates)
                ambiguity.candidates.push_back(candidate.entry);
            break;
        }
        }
    }
    if (progress)
        progress(total, total);
    return result;
}

} // namespace tolm
