#include "ui/config/zxdb_database_dialog.h"

#include <QDialogButtonBox>
#include <QFileInfo>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QVBoxLayout>

#include "state/zxdb_fill.h"
#include "ui/widgets/background_job.h"
#include "ui/widgets/object_names.h"
#include "ui/widgets/qt_text.h"
#include "ui/widgets/user_dialogs.h"

namespace tolm::ui {
namespace {

const QString kTitle = QStringLiteral("ZXDB Database");

} // namespace

std::shared_ptr<const ZxdbData> loadZxdbIndex(const std::string& path, std::string& error) {
    std::optional<zxdb::Index> index = zxdb::loadIndex(path, error);
    if (!index)
        return nullptr;
    return std::make_shared<const ZxdbData>(std::move(*index));
}

ZxdbDatabaseDialog::ZxdbDatabaseDialog(AppState& state, UserDialogs& dialogs, QWidget* parent)
    : QDialog(parent), state_(state), dialogs_(dialogs) {
    setObjectName(QStringLiteral("frmZxdb"));
    setWindowTitle(kTitle);
    resize(520, 220);

    auto* about = new QLabel(
        QStringLiteral("ZXDB is the open database of ZX Spectrum software. Download its script "
                       "(ZXDB_mysql.sql, or the zipped ZXDB_mysql.sql.zip) and read it here once: "
                       "Tolm keeps what it needs in an index of its own to look up and fill in "
                       "games' genres, years, publishers and authors."),
        this);
    about->setWordWrap(true);
    versionLabel_ = named(new QLabel(this), kVersionLabel);
    versionLabel_->setWordWrap(true);
    versionLabel_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    countsLabel_ = named(new QLabel(this), kCountsLabel);

    auto* buttons = new QDialogButtonBox(this);
    readButton_ =
        named(buttons->addButton(QStringLiteral("Read Script..."), QDialogButtonBox::ActionRole),
              kReadButton);
    QPushButton* closeButton = named(
        buttons->addButton(QStringLiteral("Close"), QDialogButtonBox::RejectRole), kCloseButton);
    readButton_->setDefault(true); // Enter reads a script: what the window is opened for
    connect(readButton_, &QPushButton::clicked, this, &ZxdbDatabaseDialog::pickScript);
    connect(closeButton, &QPushButton::clicked, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(about);
    layout->addSpacing(8);
    layout->addWidget(versionLabel_);
    layout->addWidget(countsLabel_);
    layout->addStretch(1);
    layout->addWidget(buttons);

    if (!state_.zxdb) {
        std::string error;
        state_.zxdb = loadZxdbIndex(state_.zxdbIndexPath(), error);
        if (!error.empty())
            dialogs_.message(this, kTitle,
                             QStringLiteral("The ZXDB index could not be read: %1 Read the ZXDB "
                                            "script again to make a new one.")
                                 .arg(toQt(error)),
                             UserDialogs::Icon::Critical, UserDialogs::Buttons::Ok);
    }
    showIndex();
}

void ZxdbDatabaseDialog::showIndex() {
    if (!state_.zxdb) {
        versionLabel_->setText(QStringLiteral("No ZXDB script has been read yet."));
        countsLabel_->clear();
        readButton_->setText(QStringLiteral("Read Script..."));
        return;
    }
    const zxdb::Index& index = state_.zxdb->index;
    QString source = index.version.empty() ? QStringLiteral("a ZXDB script of unknown release")
                                           : toQt(index.version);
    if (!index.date.empty() && index.version.find(index.date) == std::string::npos)
        source += QStringLiteral(", dated ") + toQt(index.date);
    versionLabel_->setText(QStringLiteral("The index was read from %1.").arg(source));
    const QLocale locale;
    countsLabel_->setText(QStringLiteral("%1 programs, %2 other titles, %3 known files.")
                              .arg(locale.toString(static_cast<qulonglong>(index.entries.size())),
                                   locale.toString(static_cast<qulonglong>(index.aliasCount())),
                                   locale.toString(static_cast<qulonglong>(index.fileCount()))));
    readButton_->setText(QStringLiteral("Read a Newer Script..."));
}

void ZxdbDatabaseDialog::pickScript() {
    const QString path = dialogs_.openFileName(
        this, QStringLiteral("Read a ZXDB Script"),
        QStringLiteral("ZXDB script (ZXDB_mysql.sql, .zip)|*.sql;*.zip|All files|*"),
        QStringLiteral("ZXDB_mysql.sql.zip"), QString());
    if (!path.isEmpty())
        readScript(path);
}

bool ZxdbDatabaseDialog::readScript(const QString& path) {
    const std::string scriptPath = toStd(path);
    const std::string indexPath = state_.zxdbIndexPath();
    std::shared_ptr<const ZxdbData> read;
    std::string error;
    const bool completed = runWithProgress(
        this, kTitle, QStringLiteral("Reading %1...").arg(QFileInfo(path).fileName()),
        [&](JobProgress& job) {
            zxdb::ScriptResult result = zxdb::readScript(scriptPath, job.reporter());
            if (!result.index) {
                error = result.cancelled ? std::string() : result.error;
                return;
            }
            if (!zxdb::saveIndex(indexPath, *result.index, error)) {
                error = "The index could not be written: " + error;
                return;
            }
            // The look-up tables are made here too: they take a moment on a whole database.
            read = std::make_shared<const ZxdbData>(std::move(*result.index));
        },
        [this] { return state_.sessionEnding; });
    if (!read) {
        if (completed && !error.empty())
            dialogs_.message(this, kTitle,
                             QStringLiteral("Tolm could not make the ZXDB index from %1: %2\n\nThe "
                                            "index Tolm had is kept as it was.")
                                 .arg(QFileInfo(path).fileName(), toQt(error)),
                             UserDialogs::Icon::Critical, UserDialogs::Buttons::Ok);
        return false;
    }
    state_.zxdb = std::move(read);
    showIndex();
    return true;
}

} // namespace tolm::ui
