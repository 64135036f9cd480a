#pragma once

#include <QDialog>
#include <QString>

namespace tolm::ui {

class FolderPicker;
class UserDialogs;

// frmFindRomPath: picks the directory the paths dialog adds. It starts in the
// process's current directory and remembers nothing between openings.
class FindRomPathDialog final : public QDialog {
    Q_OBJECT
public:
    explicit FindRomPathDialog(UserDialogs& dialogs, QWidget* parent = nullptr);

    FolderPicker& picker() const { return *picker_; }
    // After OK: the directory the list has open, ending with the separator.
    // Empty after Cancel.
    const QString& pickedFolder() const { return pickedFolder_; }

private:
    FolderPicker* picker_ = nullptr;
    QString pickedFolder_;
};

} // namespace tolm::ui
