#pragma once

#include <QDialog>
#include <QObject>
#include <QString>
#include <functional>
#include <string>
#include <vector>

class QComboBox;
class QModelIndex;
class QPushButton;
class QStandardItem;
class QStandardItemModel;
class QTreeView;
class QWidget;

#include "ui/widgets/user_dialogs.h"

namespace tolm::ui {

// The drive list and directory list pair (Drive1, Dir1) the folder-choosing
// dialogs share. The owning dialog places the two widgets. A double click in
// the directory list opens a directory; a single click only highlights one.
class FolderPicker final : public QObject {
    Q_OBJECT
public:
    // Gives the roots the drive list offers; the platform's mount points
    // unless a test stands in.
    using DriveSource = std::function<std::vector<std::string>()>;

    FolderPicker(UserDialogs& dialogs, QWidget* parent, DriveSource drives = {});

    QComboBox* driveList() const { return driveList_; }
    QTreeView* directoryList() const { return directoryList_; }

    // The directory the list has open: no trailing separator except on a root.
    QString openDirectory() const { return openDirectory_; }
    // Opens `directory` (or its nearest readable parent) and shows its drive.
    void setOpenDirectory(const QString& directory);
    // The directory the list highlights; the open one when none is.
    QString highlightedDirectory() const;

Q_SIGNALS:
    void directoryOpened(const QString& directory);
    void directoryListClicked();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void driveChosen(int index);
    void openItem(const QModelIndex& index);
    // Rebuilds the tree for `directory`: its chain of parents, then its
    // subdirectories. False when it cannot be read.
    bool showDirectory(const QString& directory);
    void showDriveOf(const QString& directory);

    UserDialogs& dialogs_;
    QWidget* parent_;
    QComboBox* driveList_ = nullptr;
    QTreeView* directoryList_ = nullptr;
    QStandardItemModel* model_ = nullptr;
    QString openDirectory_;
};

// The small folder-picking window: frmFindRomPath ("Locate Rom path") for
// the paths dialog, frmfindDir ("Locate SGD Directory") for the import
// dialog. It starts in the process's current directory and remembers
// nothing between openings; OK (the default button, so Enter on the open
// directory reaches it) takes the directory the list has open, not one
// merely highlighted.
class FolderPickDialog final : public QDialog {
    Q_OBJECT
public:
    using Kind = UserDialogs::FolderKind;
    static constexpr const char* kOkButton = "cmdOK";
    static constexpr const char* kCancelButton = "cmdCancel";

    FolderPickDialog(Kind kind, UserDialogs& dialogs, QWidget* parent = nullptr,
                     FolderPicker::DriveSource drives = {});

    // The window's object name and caption for each kind.
    static const char* objectNameOf(Kind kind);
    static const char* captionOf(Kind kind);

    FolderPicker& picker() const { return *picker_; }
    // After OK: the directory the list had open, a search path ending with
    // the separator. Empty after Cancel.
    const QString& pickedFolder() const { return picked_; }

private:
    Kind kind_;
    FolderPicker* picker_ = nullptr;
    QString picked_;
};

} // namespace tolm::ui
