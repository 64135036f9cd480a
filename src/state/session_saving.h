#pragma once

#include <cstdint>
#include <iosfwd>
#include <string>
#include <vector>

#include "platform/files.h"
#include "settings/settings.h"

namespace tolm {

struct AppState;

// The run's files, tolm.dat and tolm.ini and the play history: what counts as changed since
// they were last loaded or saved, and the writing of them. The window's
// placement is no part of the settings compared, so moving the window is no
// change; it is handed in when the settings file is written.
class SessionSaving {
public:
    explicit SessionSaving(AppState& state) : state_(state) {}

    // After the start-up load: what memory holds now is what the files hold.
    // A settings file that exists but could not be read is never written this
    // run: defaults written over it would lose the user's emulators and paths.
    // The same holds for a play history file that could not be read.
    void loaded(bool settingsReadable, bool historyReadable = true);

    bool settingsWritable() const { return settingsWritable_; }
    bool historyWritable() const { return historyWritable_; }

    // Whether leaving without saving would lose anything. A catalogue that
    // never had entries is never written, so it holds nothing to lose;
    // settings that cannot be written are nothing to ask about.
    bool hasUnsavedChanges() const;

    // Writes the catalogue and the play history that goes with it; with no
    // entries there is nothing to write. Both are tried; the errors joined.
    platform::IoResult saveCatalogue();

    // Writes every file that may be written; the errors of those that
    // failed, the settings' first. Empty when all went well.
    std::vector<std::string> saveAll(const WindowGeometry& window);

    // saveAll when nobody may be there to answer a box: each failure is one
    // line on `errors`. True when everything was written.
    bool saveAtSessionEnd(const WindowGeometry& window, std::ostream& errors);

private:
    std::vector<std::string> saveCatalogueAndHistory();

    AppState& state_;
    bool settingsWritable_ = true;
    bool historyWritable_ = true;
    std::uint64_t savedCatalogue_ = 0; // catalogueFingerprint as last loaded or saved
    std::uint64_t savedHistory_ = 0;   // PlayHistory::fingerprint() as last loaded or saved
    SettingsState savedSettings_;      // as last loaded or saved
};

} // namespace tolm
