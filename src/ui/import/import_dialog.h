#pragma once

#include <QDialog>
#include <QString>
#include <memory>

#include "import/sgd_import.h"
#include "state/app_state.h"

class QCheckBox;
class QLabel;
class QListWidget;
class QProgressBar;
class QPushButton;

namespace tolm::ui {

class BackgroundJob;
class UserDialogs;

// frmImport: lists the SGD data files of the chosen directory with their
// record counts and imports the selected ones into the catalogue, appending
// or replacing it. The SGD directory is asked for on the first import of a
// run and kept in AppState for the rest of it.
class ImportDialog final : public QDialog {
    Q_OBJECT
public:
    ImportDialog(AppState& state, UserDialogs& dialogs, QWidget* parent = nullptr);
    ~ImportDialog() override;

    // Asks for the directory when none is chosen yet and fills the list.
    // False when there is still none: the dialog then has nothing to show.
    bool prepare();
    // prepare(), then the dialog, unless there was nothing to show.
    int exec() override;

    // Whether "Import Now" ran, and what became of each file it was given.
    bool imported() const { return imported_; }
    const SgdImportReport& report() const { return report_; }
    // Where the import put its first game; games before it were there already.
    std::size_t firstImported() const { return firstImported_; }
    bool importing() const { return importing_; }

public Q_SLOTS:
    // While an import runs: stops it between records, keeping what was
    // imported; the dialog closes once it has stopped.
    void reject() override;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void buildWidgets();
    void findDirectory();
    void fillList();
    void updateImportButton();
    void importNow();
    void showProgress(const SgdImportProgress& progress);
    void importRead();

    // What the worker shares with the dialog while it reads.
    struct Shared;

    AppState& state_;
    UserDialogs& dialogs_;

    QLabel* locationCaption_ = nullptr; // Label1
    QLabel* locationLabel_ = nullptr;   // Label2
    QPushButton* findDirectoryButton_ = nullptr;
    QListWidget* fileList_ = nullptr;
    QCheckBox* overwriteBox_ = nullptr;
    QPushButton* importButton_ = nullptr;
    QLabel* progressLabel_ = nullptr;
    QProgressBar* progressBar_ = nullptr;
    QPushButton* cancelButton_ = nullptr;
    BackgroundJob* job_ = nullptr;
    std::shared_ptr<Shared> shared_;

    bool importing_ = false;
    bool imported_ = false;
    bool waitCursor_ = false;
    SgdImportReport report_;
    std::size_t firstImported_ = 0;
};

} // namespace tolm::ui
