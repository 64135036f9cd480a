#pragma once

#include <QDialog>
#include <QString>
#include <string>
#include <vector>

#include "state/app_state.h"

class QLabel;
class QListWidget;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;
class QStackedWidget;

namespace tolm::ui {

class BackgroundJob;
class FolderPicker;
class UserDialogs;

// frmAddMultiple: adds one game per selected file of a directory. Page 0
// picks the directory, page 1 lists its files; Add ROMs adds the selected
// ones (the caller refreshes the list).
class AddRomsWizard final : public QDialog {
    Q_OBJECT
public:
    static constexpr const char* kRomList = "lstMultiRoms";
    static constexpr const char* kNextButton = "Command1"; // "Next", then "Add ROMs"
    static constexpr const char* kBackButton = "Command2";
    static constexpr const char* kCancelButton = "Command3";
    static constexpr const char* kSelectAllButton = "Command4"; // "Select All" / "Select None"

    AddRomsWizard(AppState& state, UserDialogs& dialogs, QWidget* parent = nullptr);
    // Waits for a listing still running: it writes into this object.
    ~AddRomsWizard() override;

    int wizardPage() const { return wizardPage_; }
    // Whether the file page is still waiting for the directory's listing.
    bool listing() const { return listing_; }
    FolderPicker& folderPicker() const { return *folderPicker_; }
    // The directory the wizard lists and registers, ending with a separator.
    QString chosenDirectory() const;

private:
    void next();
    void back();
    void toggleSelectAll();
    void showDirectory(const QString& directory);
    void selectionChanged();
    bool anyRomSelected() const;
    void addSelected();
    void listed();

    AppState& state_;
    UserDialogs& dialogs_;
    int wizardPage_ = 0;

    QStackedWidget* pages_ = nullptr;
    FolderPicker* folderPicker_ = nullptr;
    QPlainTextEdit* directoryText_ = nullptr;
    QListWidget* romList_ = nullptr;
    QPushButton* cancelButton_ = nullptr;
    QPushButton* selectAllButton_ = nullptr;
    QPushButton* backButton_ = nullptr;
    QPushButton* nextButton_ = nullptr;
    QProgressBar* listingProgress_ = nullptr;
    // The directory is listed on a worker, into listedFiles_.
    BackgroundJob* listingJob_ = nullptr;
    std::vector<std::string> listedFiles_;
    bool listing_ = false;
};

} // namespace tolm::ui
