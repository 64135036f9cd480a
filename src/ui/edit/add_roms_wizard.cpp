#include "ui/edit/add_roms_wizard.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QStackedWidget>
#include <QTreeView>
#include <QVBoxLayout>
#include <algorithm>

#include "platform/listing.h"
#include "settings/picked_paths.h"
#include "state/game_edits.h"
#include "ui/widgets/background_job.h"
#include "ui/widgets/folder_picker.h"
#include "ui/widgets/object_names.h"
#include "ui/widgets/qt_text.h"
#include "ui/widgets/user_dialogs.h"

namespace tolm::ui {
namespace {

const QString kSelectAll = QStringLiteral("Select All");
const QString kSelectNone = QStringLiteral("Select None");

} // namespace

AddRomsWizard::AddRomsWizard(AppState& state, UserDialogs& dialogs, QWidget* parent)
    : QDialog(parent), state_(state), dialogs_(dialogs) {
    setObjectName(QStringLiteral("frmAddMultiple"));
    setWindowTitle(QStringLiteral("Add multiple roms"));

    // The two panels share one place; the one in front is the page seen.
    pages_ = new QStackedWidget(this);
    auto* directoryPage = named(new QWidget(pages_), "Picture10");
    auto* directoryLayout = new QGridLayout(directoryPage);
    directoryLayout->setContentsMargins(0, 0, 0, 0);
    auto* directoryLabel =
        named(new QLabel(QStringLiteral("Select the directory and click the Next button."),
                         directoryPage),
              "Label1");
    folderPicker_ = new FolderPicker(dialogs_, directoryPage);
    directoryText_ = named(new QPlainTextEdit(directoryPage), "Text1");
    directoryText_->setReadOnly(true);
    directoryText_->setFixedHeight(48);
    directoryLayout->addWidget(directoryLabel, 0, 0);
    directoryLayout->addWidget(folderPicker_->driveList(), 1, 0);
    directoryLayout->addWidget(folderPicker_->directoryList(), 2, 0);
    directoryLayout->addWidget(directoryText_, 3, 0);
    directoryLayout->setRowStretch(2, 1);
    pages_->addWidget(directoryPage);

    auto* romPage = named(new QWidget(pages_), "Picture11");
    auto* romLayout = new QVBoxLayout(romPage);
    romLayout->setContentsMargins(0, 0, 0, 0);
    romLayout->addWidget(named(
        new QLabel(QStringLiteral("Select the rom to add to the database."), romPage), "Label2"));
    romList_ = named(new QListWidget(romPage), kRomList);
    romList_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    romList_->setUniformItemSizes(true);
    romLayout->addWidget(romList_, 1);
    pages_->addWidget(romPage);

    cancelButton_ = named(new QPushButton(QStringLiteral("Cancel"), this), kCancelButton);
    selectAllButton_ = named(new QPushButton(kSelectAll, this), kSelectAllButton);
    backButton_ = named(new QPushButton(QStringLiteral("Back"), this), kBackButton);
    nextButton_ = named(new QPushButton(QStringLiteral("Next"), this), kNextButton);
    selectAllButton_->hide();
    backButton_->hide();
    nextButton_->setDefault(true);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(cancelButton_);
    buttons->addStretch(1);
    buttons->addWidget(selectAllButton_);
    buttons->addWidget(backButton_);
    buttons->addWidget(nextButton_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(pages_, 1);
    layout->addLayout(buttons);
    resize(400, 420);

    pages_->setCurrentIndex(0);
    folderPicker_->directoryList()->setFocus(); // picking a directory comes first
    connect(folderPicker_, &FolderPicker::directoryOpened, this, &AddRomsWizard::showDirectory);
    connect(folderPicker_, &FolderPicker::directoryListClicked, this,
            [this] { showDirectory(folderPicker_->openDirectory()); });
    connect(romList_, &QListWidget::itemSelectionChanged, this, &AddRomsWizard::selectionChanged);
    connect(cancelButton_, &QPushButton::clicked, this, &AddRomsWizard::reject);
    connect(selectAllButton_, &QPushButton::clicked, this, &AddRomsWizard::toggleSelectAll);
    connect(backButton_, &QPushButton::clicked, this, &AddRomsWizard::back);
    connect(nextButton_, &QPushButton::clicked, this, &AddRomsWizard::next);
}

QString AddRomsWizard::chosenDirectory() const {
    return toQt(asSearchDirectory(toStd(folderPicker_->openDirectory())));
}

AddRomsWizard::~AddRomsWizard() {
    // The job is a child, deleted only after the members it writes to are gone.
    delete listingJob_;
}

void AddRomsWizard::showDirectory(const QString& directory) {
    directoryText_->setPlainText(QStringLiteral("Current directory: \r\n") + directory);
}

void AddRomsWizard::next() {
    if (wizardPage_ == 1) {
        addSelected();
        return;
    }
    const std::string directory = toStd(chosenDirectory());
    if (!isStorableName(directory)) {
        // Registered as a ROM path it would come back as "?" and find nothing.
        dialogs_.show(this, unstorableNameMessage("Unable to add", directory));
        return;
    }
    wizardPage_ = 1;
    backButton_->show();
    nextButton_->setEnabled(false);
    nextButton_->setText(QStringLiteral("Add ROMs"));
    pages_->setCurrentIndex(1);

    romList_->clear();
    selectAllButton_->hide();
    // A directory of many thousand files, or on a slow drive, is read on a
    // worker; Back waits for it, Cancel closes the wizard.
    if (listingJob_ == nullptr) {
        // Shown, moving, while a large directory is read.
        listingProgress_ = new QProgressBar(romList_->parentWidget());
        listingProgress_->setObjectName(QStringLiteral("listingProgress"));
        listingProgress_->setRange(0, 0);
        romList_->parentWidget()->layout()->addWidget(listingProgress_);
        listingJob_ = new BackgroundJob(this);
        connect(listingJob_, &BackgroundJob::finished, this, &AddRomsWizard::listed);
    }
    listing_ = true;
    backButton_->setEnabled(false);
    listingProgress_->show();
    listedFiles_.clear();
    listingJob_->start([this, directory](JobProgress&) {
        listedFiles_ = platform::listPlainFiles(directory); // read only once it has returned
    });
}

void AddRomsWizard::listed() {
    listing_ = false;
    listingProgress_->hide();
    backButton_->setEnabled(true);
    QStringList names;
    names.reserve(static_cast<qsizetype>(listedFiles_.size()));
    for (const std::string& file : listedFiles_)
        names << toQt(file);
    listedFiles_.clear();
    romList_->addItems(names);
    selectAllButton_->setText(kSelectAll); // nothing is selected in a new listing
    selectAllButton_->setVisible(romList_->count() > 0);
    romList_->setFocus();
    selectionChanged();
}

void AddRomsWizard::back() {
    if (wizardPage_ != 1 || listing_)
        return;
    wizardPage_ = 0;
    nextButton_->setEnabled(true);
    nextButton_->setText(QStringLiteral("Next"));
    backButton_->hide();
    selectAllButton_->hide();
    pages_->setCurrentIndex(0);
    folderPicker_->directoryList()->setFocus();
}

void AddRomsWizard::toggleSelectAll() {
    // One selection change for the whole list, however long.
    if (selectAllButton_->text() == kSelectAll) {
        romList_->selectAll();
        selectAllButton_->setText(kSelectNone);
    } else {
        romList_->clearSelection();
        selectAllButton_->setText(kSelectAll);
    }
}

bool AddRomsWizard::anyRomSelected() const {
    return romList_->selectionModel()->hasSelection();
}

void AddRomsWizard::selectionChanged() {
    if (wizardPage_ == 1)
        nextButton_->setEnabled(anyRomSelected());
}

void AddRomsWizard::addSelected() {
    if (!anyRomSelected())
        return;
    const std::string directory = toStd(chosenDirectory());
    QModelIndexList selected = romList_->selectionModel()->selectedRows();
    std::sort(selected.begin(), selected.end(),
              [](const QModelIndex& a, const QModelIndex& b) { return a.row() < b.row(); });
    std::vector<std::string> files;
    std::vector<std::string> unstorable;
    files.reserve(static_cast<std::size_t>(selected.size()));
    for (const QModelIndex& index : selected) {
        std::string file = toStd(index.data().toString());
        if (isStorableName(file))
            files.push_back(std::move(file));
        else
            unstorable.push_back(std::move(file));
    }
    if (!unstorable.empty())
        dialogs_.show(this, unstorableNamesMessage("Unable to add", unstorable));
    const BatchAddResult result = addGamesFromDirectory(state_, directory, files);
    for (const UserMessage& refusal : result.refusals)
        dialogs_.show(this, refusal);
    accept();
}

} // namespace tolm::ui
