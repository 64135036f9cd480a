#pragma once

#include <QDialog>
#include <QString>

#include "ui/widgets/folder_picker.h"

class QPushButton;

namespace tolm::ui {

class UserDialogs;

// frmfindDir: picks the directory that holds the SGD data files. It starts
// in the process's current directory; OK takes the directory the list has
// open (a double click opens one, a single click only highlights it).
class SgdDirectoryDialog final : public QDialog {
    Q_OBJECT
public:
    explicit SgdDirectoryDialog(UserDialogs& dialogs, QWidget* parent = nullptr,
                                FolderPicker::DriveSource drives = {});

    FolderPicker& picker() const { return *picker_; }
    // After OK: the directory the list had open. Empty after Cancel.
    const QString& chosenDirectory() const { return chosen_; }

private:
    FolderPicker* picker_ = nullptr;
    QPushButton* okButton_ = nullptr;
    QPushButton* cancelButton_ = nullptr;
    QString chosen_;
};

} // namespace tolm::ui
