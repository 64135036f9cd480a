#include "state/session_saving.h"

#include <ostream>

#include "catalogue/catalogue_ops.h"
#include "catalogue/database.h"
#include "state/app_state.h"

namespace tolm {

void SessionSaving::loaded(bool settingsReadable) {
    settingsWritable_ = settingsReadable;
    savedCatalogue_ = catalogueFingerprint(state_.catalogue);
    savedSettings_ = state_.settings;
}

bool SessionSaving::hasUnsavedChanges() const {
    const bool catalogueChanged = catalogueHasEntries(state_.catalogue) &&
                                  catalogueFingerprint(state_.catalogue) != savedCatalogue_;
    const bool settingsChanged = settingsWritable_ && state_.settings != savedSettings_;
    return catalogueChanged || settingsChanged;
}

platform::IoResult SessionSaving::saveCatalogue() {
    if (!catalogueHasEntries(state_.catalogue))
        return {};
    platform::IoResult saved = saveDatabase(state_.catalogue, state_.databasePath());
    if (saved)
        savedCatalogue_ = catalogueFingerprint(state_.catalogue);
    return saved;
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
    if (const platform::IoResult catalogue = saveCatalogue(); !catalogue)
        errors.push_back(catalogue.error);
    return errors;
}

bool SessionSaving::saveAtSessionEnd(const WindowGeometry& window, std::ostream& errors) {
    const std::vector<std::string> failures = saveAll(window);
    for (const std::string& error : failures)
        errors << "tolm: Unable to save: " << error << '\n';
    return failures.empty();
}

} // namespace tolm
