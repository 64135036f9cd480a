#pragma once

#include <QString>
#include <initializer_list>
#include <optional>
#include <string>

class QTabWidget;
class QWidget;

// The catalogue and the settings file keep Windows-1252 text: anything else
// would come back as "?" at the next start. The game dialogs check here
// what the user picks or types before they keep it.
namespace tolm::ui {

class UserDialogs;

// A file for the catalogue: its full path (native separators) and that path
// split into its directory (ending with the separator) and its name.
struct StorableFile {
    QString path;
    std::string directory;
    std::string name;
};

// `path` as a StorableFile; nullopt after a box titled `refusalTitle` when
// it cannot be stored, and for an empty path.
std::optional<StorableFile> storableFile(UserDialogs& dialogs, QWidget* parent, const QString& path,
                                         const char* refusalTitle);

// Asks for a file, then checks it as storableFile does. Nullopt when
// cancelled or refused.
std::optional<StorableFile> pickStorableFile(UserDialogs& dialogs, QWidget* parent,
                                             const QString& title, const QString& filter,
                                             const QString& presetName,
                                             const QString& startDirectory,
                                             const char* refusalTitle);

// A box the user types into, under its caption.
struct TypedField {
    const char* caption;
    QWidget* box;
    QString text;
};

// True when every field's text can be stored. Otherwise a box titled `title`
// names the first field that cannot and its offending characters, and that
// field is brought forward (its tab in `tabs`) with the focus.
bool typedTextStorable(UserDialogs& dialogs, QWidget* parent, QTabWidget* tabs,
                       const QString& title, std::initializer_list<TypedField> fields);

} // namespace tolm::ui
