#include "ui/widgets/folder_picker.h"

#include <QApplication>
#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QPushButton>
#include <QStandardItemModel>
#include <QStyle>
#include <QTreeView>
#include <QVBoxLayout>

#include "platform/files.h"
#include "platform/mounts.h"
#include "settings/search_path_list.h"
#include "ui/widgets/qt_text.h"
#include "ui/widgets/user_dialogs.h"

namespace tolm::ui {
namespace {

constexpr int kPathRole = Qt::UserRole;

// What a tree row shows: the root as it is written, anything else by name.
QString displayName(const std::string& path, bool isRoot) {
    if (isRoot)
        return toQt(path);
    const std::size_t sep = path.find_last_of(platform::kPathSeparator);
    return toQt(sep == std::string::npos ? path : path.substr(sep + 1));
}

// Whether `path` lies in the tree under `root` (or is it).
bool contains(const QString& root, const QString& path) {
    if (path == root)
        return true;
    const QChar sep = QLatin1Char(platform::kPathSeparator);
    const QString prefix = root.endsWith(sep) ? root : root + sep;
#ifdef _WIN32
    return path.startsWith(prefix, Qt::CaseInsensitive);
#else
    return path.startsWith(prefix);
#endif
}

QString withoutTrailingSeparator(QString path) {
    const QChar sep = QLatin1Char(platform::kPathSeparator);
    const std::string parent = platform::parentDirectory(toStd(path));
    // A root keeps its separator: it is its own parent.
    while (path.size() > 1 && path.endsWith(sep) && toQt(parent) != path)
        path.chop(1);
    return path;
}

} // namespace

FolderPicker::FolderPicker(UserDialogs& dialogs, QWidget* parent, DriveSource drives)
    : QObject(parent), dialogs_(dialogs), parent_(parent) {
    if (!drives)
        drives = &platform::mountPoints;

    driveList_ = new QComboBox(parent);
    driveList_->setObjectName(QStringLiteral("Drive1"));
    for (const std::string& drive : drives())
        driveList_->addItem(toQt(drive), toQt(drive));
    connect(driveList_, &QComboBox::activated, this, &FolderPicker::driveChosen);

    model_ = new QStandardItemModel(this);
    directoryList_ = new QTreeView(parent);
    directoryList_->setObjectName(QStringLiteral("Dir1"));
    directoryList_->setModel(model_);
    directoryList_->setHeaderHidden(true);
    directoryList_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    directoryList_->setSelectionMode(QAbstractItemView::SingleSelection);
    directoryList_->setUniformRowHeights(true);
    directoryList_->setExpandsOnDoubleClick(false);
    directoryList_->setItemsExpandable(false);
    directoryList_->setIndentation(12);
    directoryList_->installEventFilter(this);
    connect(directoryList_, &QAbstractItemView::doubleClicked, this, &FolderPicker::openItem);
    connect(directoryList_, &QAbstractItemView::clicked, this,
            [this] { Q_EMIT directoryListClicked(); });

    setOpenDirectory(toQt(platform::currentDirectory()));
}

void FolderPicker::setOpenDirectory(const QString& directory) {
    std::string candidate = toStd(withoutTrailingSeparator(directory));
    // The nearest readable parent stands in for a directory that is gone.
    for (int depth = 0; depth < 256 && !candidate.empty(); ++depth) {
        if (showDirectory(toQt(candidate))) {
            showDriveOf(openDirectory_);
            return;
        }
        const std::string parent = platform::parentDirectory(candidate);
        if (parent == candidate)
            break;
        candidate = parent;
    }
}

QString FolderPicker::highlightedDirectory() const {
    const QModelIndex current = directoryList_->currentIndex();
    return current.isValid() ? current.data(kPathRole).toString() : openDirectory_;
}

void FolderPicker::driveChosen(int index) {
    const QString drive = driveList_->itemData(index).toString();
    if (const auto error = platform::directoryReadError(toStd(drive))) {
        // The directory list stays where it was; the drive list keeps the choice.
        dialogs_.message(parent_, QStringLiteral("Drive Error"), toQt(*error),
                         UserDialogs::Icon::Critical, UserDialogs::Buttons::Ok);
        return;
    }
    showDirectory(drive);
}

void FolderPicker::openItem(const QModelIndex& index) {
    if (!index.isValid())
        return;
    const QString path = index.data(kPathRole).toString();
    if (path == openDirectory_)
        return;
    if (const auto error = platform::directoryReadError(toStd(path))) {
        dialogs_.message(parent_, QStringLiteral("Directory Error"), toQt(*error),
                         UserDialogs::Icon::Critical, UserDialogs::Buttons::Ok);
        return;
    }
    if (showDirectory(path))
        showDriveOf(openDirectory_);
}

bool FolderPicker::showDirectory(const QString& directory) {
    const std::string path = toStd(directory);
    if (platform::directoryReadError(path))
        return false;
    const std::vector<std::string> chain = platform::directoryChain(path);
    if (chain.empty())
        return false;

    const QIcon openIcon = directoryList_->style()->standardIcon(QStyle::SP_DirOpenIcon);
    const QIcon closedIcon = directoryList_->style()->standardIcon(QStyle::SP_DirClosedIcon);
    model_->clear();
    QStandardItem* parent = model_->invisibleRootItem();
    for (std::size_t i = 0; i < chain.size(); ++i) {
        auto* item = new QStandardItem(openIcon, displayName(chain[i], i == 0));
        item->setData(toQt(chain[i]), kPathRole);
        parent->appendRow(item);
        parent = item;
    }
    QStandardItem* opened = parent;
    for (const std::string& name : platform::visibleSubdirectories(path)) {
        auto* item = new QStandardItem(closedIcon, toQt(name));
        item->setData(toQt(platform::joinPath(path, name)), kPathRole);
        opened->appendRow(item);
    }
    directoryList_->expandAll();
    const QModelIndex openIndex = opened->index();
    directoryList_->setCurrentIndex(openIndex);
    directoryList_->scrollTo(openIndex);

    const QString shown = toQt(chain.back());
    const bool changed = shown != openDirectory_;
    openDirectory_ = shown;
    if (changed)
        Q_EMIT directoryOpened(openDirectory_);
    return true;
}

void FolderPicker::showDriveOf(const QString& directory) {
    int best = -1;
    qsizetype bestLength = -1;
    for (int i = 0; i < driveList_->count(); ++i) {
        const QString drive = driveList_->itemData(i).toString();
        if (contains(drive, directory) && drive.size() > bestLength) {
            best = i;
            bestLength = drive.size();
        }
    }
    if (best >= 0)
        driveList_->setCurrentIndex(best);
}

bool FolderPicker::eventFilter(QObject* watched, QEvent* event) {
    // Enter opens the highlighted directory, as a double click does.
    if (watched == directoryList_ && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        const QModelIndex current = directoryList_->currentIndex();
        // On the open directory itself Enter goes on to the dialog (its
        // default button), so that a keyboard user can proceed.
        if ((key == Qt::Key_Return || key == Qt::Key_Enter) && current.isValid() &&
            current.data(kPathRole).toString() != openDirectory_) {
            openItem(current);
            return true;
        }
    }
    return QObject::eventFilter(watched, event);
}

const char* FolderPickDialog::objectNameOf(Kind kind) {
    return kind == Kind::SearchPath ? "frmFindRomPath" : "frmfindDir";
}

const char* FolderPickDialog::captionOf(Kind kind) {
    return kind == Kind::SearchPath ? "Locate Rom path" : "Locate SGD Directory";
}

FolderPickDialog::FolderPickDialog(Kind kind, UserDialogs& dialogs, QWidget* parent,
                                   FolderPicker::DriveSource drives)
    : QDialog(parent), kind_(kind) {
    setObjectName(QLatin1String(objectNameOf(kind)));
    setWindowTitle(QLatin1String(captionOf(kind)));

    picker_ = new FolderPicker(dialogs, this, std::move(drives));
    picker_->directoryList()->setMinimumSize(260, 220);

    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QLatin1String(kOkButton));
    ok->setDefault(true);
    auto* cancel = new QPushButton(QStringLiteral("Cancel"), this);
    cancel->setObjectName(QLatin1String(kCancelButton));

    auto* buttons = new QVBoxLayout;
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    buttons->addStretch(1);
    auto* layout = new QGridLayout(this);
    layout->addWidget(picker_->driveList(), 0, 0);
    layout->addWidget(picker_->directoryList(), 1, 0);
    layout->addLayout(buttons, 0, 1, 2, 1);

    connect(ok, &QPushButton::clicked, this, [this] {
        const QString open = picker_->openDirectory();
        if (open.isEmpty())
            return;
        picked_ = kind_ == Kind::SearchPath ? toQt(withTrailingSeparator(toStd(open))) : open;
        accept();
    });
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    setFixedSize(sizeHint());
    picker_->directoryList()->setFocus();
}

} // namespace tolm::ui
