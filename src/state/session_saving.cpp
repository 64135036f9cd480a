#include "state/session_saving.h"

#include <ostream>

#include "catalogue/catalogue_ops.h"
#include "catalogue/database.h"
#include "state/app_state.h"
#include "state/play_history.h"

namespace tolm {

void SessionSaving::loaded(bool settingsReadable, bool historyReadable) {
    settingsWritable_ = settingsReadable;
    historyWritable_ = historyReadable;
    savedHistory_ = state_.history.fingerprint();
    savedCatalogue_ = catalogueFingerprint(state_.catalogue);
    savedSettings_ = state_.settings;
}

bool SessionSaving::hasUnsavedChanges() const {
    const bool catalogueChanged = catalogueHasEntries(state_.catalogue) &&
                                  catalogueFingerprint(state_.catalogue) != savedCatalogue_;
    const bool settingsChanged = settingsWritable_ && state_.settings != savedSettings_;
    const bool historyChanged = historyWritable_ && catalogueHasEntries(state_.catalogue) &&
                                state_.history.fingerprint() != savedHistory_;
    return catalogueChanged || settingsChanged || historyChanged;
}

std::vector<std::string> SessionSaving::saveCatalogueAndHistory() {
    std::vector<std::string> errors;
    if (!catalogueHasEntries(state_.catalogue))
        return errors;
    if (const platform::IoResult saved = saveDatabase(state_.catalogue, state_.databasePath()))
        savedCatalogue_ = catalogueFingerprint(state_.catalogue);
    else
        errors.push_back(saved.error);
    if (historyWritable_) {
        const std::uint64_t saving = state_.history.fingerprint();
        if (const platform::IoResult saved =
                savePlayHistory(state_.history, state_.catalogue, state_.historyPath()))
            savedHistory_ = saving;
        else
            errors.push_back(saved.error);
    }
    return errors;
}

platform::IoResult SessionSaving::saveCatalogue() {
    const std::vector<std::string> errors = saveCatalogueAndHistory();
    if (errors.empty())
        return {};
    std::string joined = errors.front();
    for (std::size_t i = 1; i < errors.size(); ++i)
        joined += "\r\n" + errors[i];
    return platform::IoResult::failure(std::move(joined));
}

std::vector<std::string> SessionSaving::saveAll(const WindowGeometry& window) {
    std::vector<std::string> errors;
    if (settingsWritable_) {
        const platform::IoResult settings =
            saveSettings(state_.settings, state_.settingsPath(), window);
        if (settings)
            savedSettings_ = state_.settings;
        else
            errors.push_back(settings.error);
    }
    for (std::string& error : saveCatalogueAndHistory())
        errors.push_back(std::move(error));
    return errors;
}

bool SessionSaving::saveAtSessionEnd(const WindowGeometry& window, std::ostream& errors) {
    const std::vector<std::string> failures = saveAll(window);
    for (const std::string& error : failures)
        errors << "tolm: Unable to save: " << error << '\n';
    return failures.empty();
}

} // namespace tolm
