#include "ui/edit/storable_text.h"

#include <QDir>
#include <QTabWidget>

#include "core/text.h"
#include "platform/codepage.h"
#include "state/game_edits.h"
#include "ui/widgets/qt_text.h"
#include "ui/widgets/user_dialogs.h"

namespace tolm::ui {
namespace {

// The distinct characters of `text` that Windows-1252 has no byte for.
QString unstorableCharacters(const QString& text) {
    QString out;
    for (const char32_t c : text.toUcs4()) {
        const QString one = QString::fromUcs4(&c, 1);
        if (!platform::isAnsiRepresentable(toStd(one)) && !out.contains(one))
            out += one;
    }
    return out;
}

} // namespace

std::optional<StorableFile> storableFile(UserDialogs& dialogs, QWidget* parent, const QString& path,
                                         const char* refusalTitle) {
    if (path.isEmpty())
        return std::nullopt;
    StorableFile file;
    file.path = QDir::toNativeSeparators(path);
    const std::string full = toStd(file.path);
    if (!isStorableName(full)) {
        dialogs.show(parent, unstorableNameMessage(refusalTitle, full));
        return std::nullopt;
    }
    SplitPath split = splitFullPath(full);
    file.directory = std::move(split.directory);
    file.name = std::move(split.name);
    return file;
}

std::optional<StorableFile> pickStorableFile(UserDialogs& dialogs, QWidget* parent,
                                             const QString& title, const QString& filter,
                                             const QString& presetName,
                                             const QString& startDirectory,
                                             const char* refusalTitle) {
    return storableFile(dialogs, parent,
                        dialogs.openFileName(parent, title, filter, presetName, startDirectory),
                        refusalTitle);
}

bool typedTextStorable(UserDialogs& dialogs, QWidget* parent, QTabWidget* tabs,
                       const QString& title, std::initializer_list<TypedField> fields) {
    for (const TypedField& field : fields) {
        const QString unstorable = unstorableCharacters(field.text);
        if (unstorable.isEmpty())
            continue;
        dialogs.message(parent, title,
                        QStringLiteral("%1 cannot be stored in the catalogue: it has characters "
                                       "outside Windows-1252: %2")
                            .arg(QLatin1String(field.caption), unstorable),
                        UserDialogs::Icon::Critical, UserDialogs::Buttons::Ok);
        if (tabs != nullptr && tabs->indexOf(field.box->parentWidget()) >= 0)
            tabs->setCurrentWidget(field.box->parentWidget());
        field.box->setFocus();
        return false;
    }
    return true;
}

} // namespace tolm::ui
