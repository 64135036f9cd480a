#include "ui/edit/game_properties_dialog.h"

#include <QComboBox>
#include <QDir>
#include <QDropEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QUrl>
#include <QVBoxLayout>
#include <algorithm>

#include "catalogue/game_editing.h"
#include "catalogue/genres.h"
#include "core/text.h"
#include "platform/files.h"
#include "settings/locate.h"
#include "settings/settings.h"
#include "state/game_edits.h"
#include "ui/edit/game_details_form.h"
#include "ui/edit/storable_text.h"
#include "ui/widgets/arrow_pictures.h"
#include "ui/widgets/artwork.h"
#include "ui/widgets/file_filters.h"
#include "ui/widgets/object_names.h"
#include "ui/widgets/qt_text.h"
#include "ui/widgets/screen_pictures.h"
#include "ui/widgets/screenshot_strip.h"
#include "ui/widgets/user_dialogs.h"

namespace tolm::ui {
namespace {

constexpr QSize kPictureSize(256, 192);

} // namespace

GamePropertiesDialog::GamePropertiesDialog(AppState& state, UserDialogs& dialogs, QWidget* parent,
                                           GameFileScreenCache* gameFileScreens)
    : QDialog(parent), state_(state), dialogs_(dialogs), gameFileScreens_(gameFileScreens),
      position_(state.selectedGame) {
    setObjectName(QStringLiteral("frmGameProps"));
    setWindowTitle(QStringLiteral("Properties"));
    buildWidgets();
    loadFromRecord();
    // A ROM located or typed here shows its screen while there are no screenshots.
    connect(romEdit_, &QLineEdit::textChanged, this, [this] {
        if (screenshotParts(draftScreenshots_).empty())
            showScreenshot();
    });
}

GamePropertiesDialog::~GamePropertiesDialog() = default;

QImage GamePropertiesDialog::gameFileScreen() {
    if (gameFileScreens_ == nullptr) {
        ownGameFileScreens_ = std::make_unique<GameFileScreenCache>();
        gameFileScreens_ = ownGameFileScreens_.get();
    }
    const QImage screen =
        gameFileScreens_->screenOfRom(toStd(romEdit_->text()), state_.settings.romPaths);
    return screen.isNull() ? screen : markedAsGameFileScreen(screen, kPictureSize);
}

void GamePropertiesDialog::buildWidgets() {
    tabs_ = named(new QTabWidget(this), "SSTab1");

    details_ = addGameDetailsTab(tabs_, {"Label1", "Label2", "Label3", "Label4", "Label5"});

    auto* notes = new QWidget(tabs_);
    auto* notesLayout = new QGridLayout(notes);
    romEdit_ = named(new QLineEdit(notes), "txtRom");
    locateButton_ = named(new QPushButton(QStringLiteral("..."), notes), "cmdLocate");
    locateButton_->setFixedWidth(32);
    notesEdit_ = named(new QPlainTextEdit(notes), "txtNotes");
    notesEdit_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    notesLayout->addWidget(romEdit_, 0, 0);
    notesLayout->addWidget(locateButton_, 0, 1);
    notesLayout->addWidget(notesEdit_, 1, 0, 1, 2);
    tabs_->addTab(notes, QStringLiteral("Notes"));

    auto* shots = new QWidget(tabs_);
    screenshotPage_ = shots;
    shots->setAcceptDrops(true);
    shots->installEventFilter(this);
    auto* shotsLayout = new QGridLayout(shots);
    screenshotCaption_ =
        named(new QLabel(QStringLiteral("Screen Shot 1 of 1"), shots), kScreenshotCaption);
    screenshotPicture_ = named(new PictureBox(shots), kScreenshotPicture);
    screenshotPicture_->setFixedSize(kPictureSize);
    screenshotPicture_->setPicture(QPixmap::fromImage(placeholderPicture()));
    addScreenshotButton_ = named(new QPushButton(QStringLiteral("Add"), shots), "cmdAddSS");
    removeScreenshotButton_ =
        named(new QPushButton(QStringLiteral("Remove"), shots), "cmdRemoveSS");
    backButton_ = named(new QPushButton(QStringLiteral("<"), shots), "cmdBack");
    nextButton_ = named(new QPushButton(QStringLiteral(">"), shots), "cmdNext");
    auto* shotButtons = new QVBoxLayout;
    shotButtons->addWidget(addScreenshotButton_);
    shotButtons->addWidget(removeScreenshotButton_);
    shotButtons->addStretch(1);
    auto* browse = new QHBoxLayout;
    browse->addWidget(backButton_);
    browse->addWidget(nextButton_);
    shotButtons->addLayout(browse);
    shotsLayout->addWidget(screenshotCaption_, 0, 0, 1, 2);
    shotsLayout->addWidget(screenshotPicture_, 1, 0);
    shotsLayout->addLayout(shotButtons, 1, 1);
    shotsLayout->setRowStretch(2, 1);
    tabs_->addTab(shots, QStringLiteral("Screen Shots"));

    auto* music = new QWidget(tabs_);
    auto* musicLayout = new QGridLayout(music);
    musicEdit_ = named(new QLineEdit(music), "txtMusicFile");
    findMusicButton_ = named(new QPushButton(QStringLiteral("..."), music), "cmdFindMusic");
    findMusicButton_->setFixedWidth(32);
    musicLayout->addWidget(musicEdit_, 0, 0);
    musicLayout->addWidget(findMusicButton_, 0, 1);
    musicLayout->setRowStretch(1, 1);
    tabs_->addTab(music, QStringLiteral("Music"));

    okButton_ = named(new QPushButton(QStringLiteral("&OK"), this), "cmdOK");
    cancelButton_ = named(new QPushButton(QStringLiteral("&Cancel"), this), "cmdCancel");
    okButton_->setDefault(true);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(okButton_);
    buttons->addWidget(cancelButton_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(tabs_);
    layout->addLayout(buttons);

    okButton_->setEnabled(false);
    removeScreenshotButton_->setEnabled(false);
    backButton_->setEnabled(false);
    nextButton_->setEnabled(false);

    connect(details_.name, &QLineEdit::textChanged, this,
            [this](const QString& text) { okButton_->setEnabled(!text.isEmpty()); });
    connect(okButton_, &QPushButton::clicked, this, &GamePropertiesDialog::accept);
    connect(cancelButton_, &QPushButton::clicked, this, &GamePropertiesDialog::reject);
    connect(addScreenshotButton_, &QPushButton::clicked, this,
            &GamePropertiesDialog::addScreenshot);
    connect(removeScreenshotButton_, &QPushButton::clicked, this,
            &GamePropertiesDialog::removeScreenshot);
    connect(backButton_, &QPushButton::clicked, this, [this] { browseScreenshots(-1); });
    connect(nextButton_, &QPushButton::clicked, this, [this] { browseScreenshots(1); });
    connect(locateButton_, &QPushButton::clicked, this, &GamePropertiesDialog::locateRom);
    connect(findMusicButton_, &QPushButton::clicked, this, &GamePropertiesDialog::findMusic);
}

void GamePropertiesDialog::loadFromRecord() {
    const GameRecord* game = state_.selectedRecord();
    if (game == nullptr)
        return;
    details_.name->setText(toQt(game->name));
    // A damaged record's genre selects nothing; it is kept unless one is picked.
    details_.genre->setCurrentIndex(game->genre >= 0 && game->genre < kGenreCount ? game->genre
                                                                                  : -1);
    details_.year->setText(game->year < 1 ? QString() : QString::number(game->year));
    musicEdit_->setText(toQt(game->musicFile));
    details_.publisher->setText(toQt(game->publisher));
    details_.authors->setPlainText(toQt(game->authors));
    romEdit_->setText(toQt(game->romFile));
    notesEdit_->setPlainText(toQt(game->notes));

    draftScreenshots_ = game->screenshots;
    shownScreenshot_ = 0;
    showScreenshot();
}

void GamePropertiesDialog::showScreenshot() {
    const std::vector<std::string_view> parts = screenshotParts(draftScreenshots_);
    backButton_->setEnabled(false);
    nextButton_->setEnabled(false);
    if (parts.empty()) {
        removeScreenshotButton_->setEnabled(false);
        screenshotCaption_->setText(QStringLiteral("No Screen shots."));
        const QImage screen = gameFileScreen();
        screenshotPicture_->setPicture(
            QPixmap::fromImage(screen.isNull() ? placeholderPicture() : screen));
        return;
    }
    removeScreenshotButton_->setEnabled(true);
    const int last = static_cast<int>(parts.size()) - 1;
    shownScreenshot_ = std::clamp(shownScreenshot_, 0, last);
    const std::string_view part = parts[static_cast<std::size_t>(shownScreenshot_)];
    // An empty part names no file (looked up, it would find a directory).
    const LocatedFile found = trimBlanks(part).empty()
                                  ? LocatedFile{}
                                  : locateFile(part, state_.settings.screenshotPaths);
    // A missing file can still be browsed past and removed.
    QString text = QStringLiteral("Screen shot ") + QString::number(shownScreenshot_ + 1) +
                   QStringLiteral(" of ") + QString::number(last + 1);
    QImage picture;
    if (found.found)
        picture = decodePictureAt(toQt(found.path), kPictureSize);
    else
        text += QStringLiteral(" (not found)");
    screenshotCaption_->setText(text);
    screenshotPicture_->setPicture(
        QPixmap::fromImage(picture.isNull() ? placeholderPicture() : picture));
    backButton_->setEnabled(shownScreenshot_ > 0);
    nextButton_->setEnabled(shownScreenshot_ < last);
}

void GamePropertiesDialog::browseScreenshots(int step) {
    shownScreenshot_ += step;
    showScreenshot();
}

void GamePropertiesDialog::addScreenshot() {
    if (const std::optional<StorableFile> picked =
            pickStorableFile(dialogs_, this, QStringLiteral("Locate image"), pictureFileFilter(),
                             QString(), QString(), "Unable to add"))
        addScreenshotFile(*picked);
}

void GamePropertiesDialog::addScreenshotFile(const StorableFile& file) {
    if (file.name.find(',') != std::string::npos) {
        // The list is comma-separated: such a name would become two parts.
        dialogs_.message(this, QStringLiteral("Unable to add"),
                         QStringLiteral("Screenshot names cannot contain a comma."),
                         UserDialogs::Icon::Critical, UserDialogs::Buttons::Ok);
        return;
    }
    if (file.name.empty())
        return;
    addSearchPath(state_.settings.screenshotPaths, file.directory);
    draftScreenshots_ = appendScreenshot(draftScreenshots_, file.name);
    shownScreenshot_ = static_cast<int>(screenshotParts(draftScreenshots_).size()) - 1;
    showScreenshot();
}

void GamePropertiesDialog::dropScreenshots(const QStringList& files) {
    // Only what Add would offer is taken: a folder or a game file is no picture.
    QStringList refused;
    for (const QString& file : files) {
        if (!platform::fileLength(toStd(file)) || !filterOffers(pictureFileFilter(), file)) {
            refused << QDir::toNativeSeparators(file);
            continue;
        }
        if (const std::optional<StorableFile> dropped =
                storableFile(dialogs_, this, file, "Unable to add"))
            addScreenshotFile(*dropped);
    }
    if (!refused.isEmpty())
        dialogs_.message(this, QStringLiteral("Unable to add"),
                         QStringLiteral("Only picture files can be screenshots. Not added:\r\n") +
                             refused.join(QStringLiteral("\r\n")),
                         UserDialogs::Icon::Critical, UserDialogs::Buttons::Ok);
}

bool GamePropertiesDialog::eventFilter(QObject* watched, QEvent* event) {
    if (watched != screenshotPage_ ||
        (event->type() != QEvent::DragEnter && event->type() != QEvent::DragMove &&
         event->type() != QEvent::Drop))
        return QDialog::eventFilter(watched, event);
    auto* drop = static_cast<QDropEvent*>(event);
    QStringList files;
    if (drop->mimeData() != nullptr) {
        for (const QUrl& url : drop->mimeData()->urls()) {
            if (url.isLocalFile())
                files << url.toLocalFile();
        }
    }
    if (files.isEmpty())
        return false;
    drop->acceptProposedAction();
    if (event->type() == QEvent::Drop)
        dropScreenshots(files);
    return true;
}

void GamePropertiesDialog::removeScreenshot() {
    if (draftScreenshots_.empty())
        return;
    draftScreenshots_ =
        tolm::removeScreenshot(draftScreenshots_, static_cast<std::size_t>(shownScreenshot_));
    if (shownScreenshot_ > 0)
        --shownScreenshot_;
    showScreenshot();
}

QString GamePropertiesDialog::pickFile(const QString& title, const QString& filter,
                                       const std::string& storedName,
                                       const std::vector<std::string>& searchPaths) {
    QString start;
    if (hasFirstEntry(searchPaths)) {
        for (const std::string& directory : searchPaths) {
            if (platform::fileExists(directory + storedName)) {
                start = toQt(directory);
                break;
            }
        }
    }
    const std::optional<StorableFile> picked = pickStorableFile(
        dialogs_, this, title, filter, toQt(storedName), start, "Unable to use file");
    return picked ? picked->path : QString();
}

void GamePropertiesDialog::locateRom() {
    const GameRecord* game = state_.selectedRecord();
    const QString path = pickFile(QStringLiteral("Select File"), romFileFilter(),
                                  game ? game->romFile : std::string(), state_.settings.romPaths);
    if (!path.isEmpty())
        romEdit_->setText(path);
}

void GamePropertiesDialog::findMusic() {
    const GameRecord* game = state_.selectedRecord();
    const QString path =
        pickFile(QStringLiteral("Select File"), musicFileFilter(),
                 game ? game->musicFile : std::string(), state_.settings.musicPaths);
    if (!path.isEmpty())
        musicEdit_->setText(path);
}

void GamePropertiesDialog::accept() {
    if (details_.name->text().isEmpty())
        return; // OK is disabled then; a stray Enter must not store an empty name
    if (!typedTextStorable(dialogs_, this, tabs_, QStringLiteral("Properties"),
                           {{"Game Name", details_.name, details_.name->text()},
                            {"Publisher", details_.publisher, details_.publisher->text()},
                            {"Author(s)", details_.authors, details_.authors->toPlainText()},
                            {"Notes", notesEdit_, notesEdit_->toPlainText()},
                            {"The ROM file", romEdit_, romEdit_->text()},
                            {"The music file", musicEdit_, musicEdit_->text()}}))
        return; // stays open with everything typed, for the user to mend
    GameEdits edits;
    edits.name = toStd(details_.name->text());
    if (details_.genre->currentIndex() >= 0)
        edits.genre = details_.genre->currentIndex();
    edits.yearText = toStd(details_.year->text());
    edits.publisher = toStd(details_.publisher->text());
    const GameRecord* game = state_.selectedRecord();
    const std::string storedAuthors = game ? game->authors : std::string();
    const std::string storedNotes = game ? game->notes : std::string();
    edits.authors = storedMultiLineText(toStd(details_.authors->toPlainText()), storedAuthors);
    edits.romText = toStd(romEdit_->text());
    edits.musicText = toStd(musicEdit_->text());
    edits.notes = storedMultiLineText(toStd(notesEdit_->toPlainText()), storedNotes);
    edits.screenshots = draftScreenshots_;
    applyGameEdits(state_, position_, edits);
    QDialog::accept();
}

} // namespace tolm::ui
