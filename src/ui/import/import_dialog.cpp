#include "ui/import/import_dialog.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QGridLayout>
#include <QLabel>
#include <QListWidget>
#include <QLocale>
#include <QProgressBar>
#include <QPushButton>
#include <QThreadPool>
#include <algorithm>
#include <mutex>
#include <utility>
#include <vector>

#include "platform/longpath.h"
#include "ui/widgets/background_job.h"
#include "ui/widgets/qt_text.h"
#include "ui/widgets/user_dialogs.h"

namespace tolm::ui {
namespace {

constexpr int kFileNameRole = Qt::UserRole;
constexpr int kProgressSteps = 1000;

int progressValue(std::uint64_t done, std::uint64_t total) {
    if (total == 0)
        return kProgressSteps;
    return static_cast<int>(std::min<std::uint64_t>(done, total) * kProgressSteps / total);
}

} // namespace

struct ImportDialog::Shared {
    std::mutex lock;
    SgdImportProgress progress; // under `lock`
    bool progressed = false;    // under `lock`: news since the last look
    // The worker's, until it has returned: what the catalogue becomes, built
    // beside it so that this thread only swaps it in.
    SgdImportReport report;
    GameCatalogue catalogue;
};

ImportDialog::ImportDialog(AppState& state, UserDialogs& dialogs, QWidget* parent)
    : QDialog(parent), state_(state), dialogs_(dialogs) {
    setObjectName(QStringLiteral("frmImport"));
    setWindowTitle(QStringLiteral("Import SGD Data"));
    buildWidgets();
}

ImportDialog::~ImportDialog() {
    // Kept until now so the pointer stays busy while the main window
    // rebuilds its list after the import.
    if (waitCursor_)
        QApplication::restoreOverrideCursor();
}

void ImportDialog::buildWidgets() {
    locationCaption_ = new QLabel(QStringLiteral("SGD Location"), this);
    locationCaption_->setObjectName(QStringLiteral("Label1"));
    locationLabel_ = new QLabel(this);
    locationLabel_->setObjectName(QStringLiteral("Label2"));
    locationLabel_->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    locationLabel_->setMinimumWidth(300);
    locationLabel_->setTextFormat(Qt::PlainText);
    findDirectoryButton_ = new QPushButton(QStringLiteral("..."), this);
    findDirectoryButton_->setObjectName(QStringLiteral("cmdFindDir"));
    findDirectoryButton_->setAutoDefault(false);
    findDirectoryButton_->setFixedWidth(32);

    fileList_ = new QListWidget(this);
    fileList_->setObjectName(QStringLiteral("List1"));
    fileList_->setSelectionMode(QAbstractItemView::MultiSelection); // a click toggles an item
    fileList_->setMinimumHeight(200);

    overwriteBox_ = new QCheckBox(QStringLiteral("Overwrite current data"), this);
    overwriteBox_->setObjectName(QStringLiteral("Check1"));
    importButton_ = new QPushButton(QStringLiteral("Import Now"), this);
    importButton_->setObjectName(QStringLiteral("Command1"));
    importButton_->setEnabled(false);
    importButton_->setAutoDefault(false);

    progressLabel_ = new QLabel(this);
    progressLabel_->setObjectName(QStringLiteral("importProgressText"));
    progressLabel_->setTextFormat(Qt::PlainText);
    progressBar_ = new QProgressBar(this);
    progressBar_->setObjectName(QStringLiteral("importProgress"));
    progressBar_->setRange(0, kProgressSteps);
    // The dialog keeps its size: the progress row is there, empty, until used.
    QSizePolicy keepPlace = progressBar_->sizePolicy();
    keepPlace.setRetainSizeWhenHidden(true);
    progressBar_->setSizePolicy(keepPlace);
    progressBar_->hide();
    cancelButton_ = new QPushButton(QStringLiteral("Cancel"), this);
    cancelButton_->setObjectName(QStringLiteral("importCancel"));
    cancelButton_->setAutoDefault(false);
    QSizePolicy keepButtonPlace = cancelButton_->sizePolicy();
    keepButtonPlace.setRetainSizeWhenHidden(true);
    cancelButton_->setSizePolicy(keepButtonPlace);
    cancelButton_->hide();
    job_ = new BackgroundJob(this);

    auto* layout = new QGridLayout(this);
    layout->addWidget(locationCaption_, 0, 0, 1, 2);
    layout->addWidget(locationLabel_, 1, 0);
    layout->addWidget(findDirectoryButton_, 1, 1);
    layout->addWidget(fileList_, 2, 0, 1, 2);
    auto* actions = new QHBoxLayout;
    actions->addWidget(overwriteBox_);
    actions->addStretch(1);
    actions->addWidget(importButton_);
    layout->addLayout(actions, 3, 0, 1, 2);
    layout->addWidget(progressLabel_, 4, 0, 1, 2);
    auto* progressRow = new QHBoxLayout;
    progressRow->addWidget(progressBar_, 1);
    progressRow->addWidget(cancelButton_);
    layout->addLayout(progressRow, 5, 0, 1, 2);

    connect(findDirectoryButton_, &QPushButton::clicked, this, &ImportDialog::findDirectory);
    connect(fileList_, &QListWidget::itemSelectionChanged, this, &ImportDialog::updateImportButton);
    connect(importButton_, &QPushButton::clicked, this, &ImportDialog::importNow);
    connect(cancelButton_, &QPushButton::clicked, this, &ImportDialog::reject);
    connect(job_, &BackgroundJob::ticked, this, [this] {
        if (state_.sessionEnding)
            job_->cancel();
        SgdImportProgress progress;
        {
            const std::lock_guard<std::mutex> hold(shared_->lock);
            if (!std::exchange(shared_->progressed, false))
                return;
            progress = shared_->progress;
        }
        showProgress(progress);
    });
    connect(job_, &BackgroundJob::finished, this, &ImportDialog::importRead);

    setFixedSize(sizeHint());
    fileList_->setFocus(); // the files are what the user picks first
}

bool ImportDialog::prepare() {
    if (state_.sgdDirectory.empty()) {
        // The picker centres over this dialog, so place it before it shows.
        if (!isVisible() && parentWidget() != nullptr)
            move(parentWidget()->window()->frameGeometry().center() - rect().center());
        if (const QString chosen = dialogs_.pickFolder(this, UserDialogs::FolderKind::SgdDirectory);
            !chosen.isEmpty())
            state_.sgdDirectory = toStd(chosen);
    }
    locationLabel_->setText(toQt(state_.sgdDirectory));
    if (state_.sgdDirectory.empty())
        return false; // the picker was cancelled: nothing to import from
    fillList();
    return true;
}

int ImportDialog::exec() {
    if (!prepare())
        return QDialog::Rejected;
    return QDialog::exec();
}

void ImportDialog::findDirectory() {
    if (importing_)
        return;
    if (const QString chosen = dialogs_.pickFolder(this, UserDialogs::FolderKind::SgdDirectory);
        !chosen.isEmpty())
        state_.sgdDirectory = toStd(chosen);
    locationLabel_->setText(toQt(state_.sgdDirectory));
    if (!state_.sgdDirectory.empty())
        fillList();
}

void ImportDialog::fillList() {
    fileList_->clear();
    const std::vector<SgdDataFile> files = listSgdDataFiles(state_.sgdDirectory);
    for (const SgdDataFile& file : files) {
        // The name travels apart from the text: it may hold blanks.
        auto* item = new QListWidgetItem(toQt(sgdListText(file)));
        item->setData(kFileNameRole, toQt(file.fileName));
        fileList_->addItem(item);
    }
    updateImportButton();
}

void ImportDialog::updateImportButton() {
    importButton_->setEnabled(!importing_ && !fileList_->selectedItems().isEmpty());
}

void ImportDialog::importNow() {
    if (importing_)
        return;
    std::vector<std::string> fileNames;
    for (int row = 0; row < fileList_->count(); ++row) {
        const QListWidgetItem* item = fileList_->item(row);
        if (item->isSelected())
            fileNames.push_back(toStd(item->data(kFileNameRole).toString()));
    }
    if (fileNames.empty())
        return;

    // Nothing here may start a second import or change the catalogue while
    // this one runs; the main window is blocked by this modal dialog.
    importing_ = true;
    for (QWidget* control :
         {static_cast<QWidget*>(findDirectoryButton_), static_cast<QWidget*>(fileList_),
          static_cast<QWidget*>(overwriteBox_), static_cast<QWidget*>(importButton_)})
        control->setEnabled(false);
    progressBar_->setValue(0);
    progressBar_->show();
    cancelButton_->setEnabled(true);
    cancelButton_->show();
    if (!waitCursor_) {
        QApplication::setOverrideCursor(Qt::WaitCursor);
        waitCursor_ = true;
    }

    // The worker reads and converts into a batch of its own, from copies of
    // what it needs; the catalogue changes here, on this thread, once it is done.
    shared_ = std::make_shared<Shared>();
    job_->start([shared = shared_, current = &std::as_const(state_.catalogue),
                 directory = state_.sgdDirectory, iniDirectory = state_.programDirectory,
                 fileNames = std::move(fileNames),
                 overwrite = overwriteBox_->isChecked()](JobProgress& job) {
        platform::FileSystemLongPaths longPaths; // each directory listed once for this import
        SgdImportBatch batch = readSgdFiles(
            directory, fileNames, iniDirectory, overwrite, longPaths,
            [&shared](const SgdImportProgress& progress) {
                const std::lock_guard<std::mutex> hold(shared->lock);
                shared->progress = progress;
                shared->progressed = true;
            },
            // Cancel, or the end of the session, stops it between records;
            // the games read so far are kept.
            [&job] { return job.stopRequested(); });
        // Nothing changes the catalogue while this modal dialog imports.
        SgdImportReport report = batch.report;
        GameCatalogue catalogue = catalogueWithImport(*current, std::move(batch));
        const std::lock_guard<std::mutex> hold(shared->lock);
        shared->report = std::move(report);
        shared->catalogue = std::move(catalogue);
    });
}

void ImportDialog::importRead() {
    auto old = std::make_shared<GameCatalogue>();
    {
        const std::lock_guard<std::mutex> hold(shared_->lock);
        report_ = std::move(shared_->report);
        *old = std::move(shared_->catalogue);
    }
    shared_.reset();
    firstImported_ = report_.replacedCatalogue ? 0 : state_.catalogue.size();
    state_.catalogue.swap(*old);
    // Freeing 100,000 games' texts takes a while: done away from the window.
    QThreadPool::globalInstance()->start([old] { old->clear(); });
    imported_ = true;
    importing_ = false;
    cancelButton_->hide();
    accept();
}

void ImportDialog::showProgress(const SgdImportProgress& progress) {
    const bool reading = progress.phase == SgdImportProgress::Phase::Reading;
    const QString prefix = reading ? QStringLiteral("Reading ") : QStringLiteral("Importing ");
    const QString position =
        QStringLiteral(" (file %1 of %2)").arg(progress.fileNumber).arg(progress.fileCount);
    // A long file name gives way, so the position stays in view.
    const QFontMetrics metrics = progressLabel_->fontMetrics();
    const int room = progressLabel_->width() - metrics.horizontalAdvance(prefix + position);
    const QString file = metrics.elidedText(toQt(progress.fileName), Qt::ElideMiddle,
                                            std::max(room, metrics.averageCharWidth() * 8));
    progressLabel_->setText(prefix + file + position);
    if (reading) {
        progressBar_->setFormat(QStringLiteral("%p%"));
    } else {
        const QLocale locale;
        progressBar_->setFormat(QStringLiteral("%1 of %2 games")
                                    .arg(locale.toString(qulonglong(progress.done)),
                                         locale.toString(qulonglong(progress.total))));
    }
    progressBar_->setValue(progressValue(progress.done, progress.total));
}

void ImportDialog::reject() {
    if (importing_) {
        // The worker stops at its next record; the dialog closes itself then.
        job_->cancel();
        cancelButton_->setEnabled(false);
        return;
    }
    QDialog::reject();
}

void ImportDialog::closeEvent(QCloseEvent* event) {
    if (importing_) {
        reject();
        event->ignore();
        return;
    }
    QDialog::closeEvent(event);
}

} // namespace tolm::ui
