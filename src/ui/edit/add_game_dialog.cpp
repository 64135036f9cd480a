#include "ui/edit/add_game_dialog.h"

#include <QComboBox>
#include <QDir>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>
#include <algorithm>

#include "catalogue/catalogue_ops.h"
#include "catalogue/game_editing.h"
#include "catalogue/genres.h"
#include "core/text.h"
#include "settings/settings.h"
#include "state/game_edits.h"
#include "ui/common/qt_text.h"
#include "ui/common/user_dialogs.h"
#include "ui/edit/file_filters.h"

namespace tolm::ui {
namespace {

template <typename Widget> Widget* named(Widget* widget, const char* name) {
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

} // namespace

AddGameDialog::AddGameDialog(AppState& state, UserDialogs& dialogs, QWidget* parent)
    : QDialog(parent), state_(state), dialogs_(dialogs) {
    setObjectName(QStringLiteral("frmAddSingle"));
    setWindowTitle(QStringLiteral("Add Game"));
    buildWidgets();
    for (const std::string_view genre : GenreTable)
        genreList_->addItem(toQt(genre));
    genreList_->setCurrentIndex(0);
}

void AddGameDialog::buildWidgets() {
    tabs_ = named(new QTabWidget(this), "SSTab1");

    auto* details = new QWidget(tabs_);
    auto* grid = new QGridLayout(details);
    nameEdit_ = named(new QLineEdit(details), "txtGameName");
    genreList_ = named(new QComboBox(details), "lstType");
    genreList_->setMaxVisibleItems(20);
    yearEdit_ = named(new QLineEdit(details), "txtYear");
    publisherEdit_ = named(new QLineEdit(details), "txtPublisher");
    authorsEdit_ = named(new QPlainTextEdit(details), "txtAuthors");
    authorsEdit_->setLineWrapMode(QPlainTextEdit::NoWrap);
    authorsEdit_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    authorsEdit_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    const struct {
        QWidget* field;
        const char* text;
        const char* name;
    } rows[] = {{nameEdit_, "Game Name", "Label7"},
                {genreList_, "Game Type", "Label2"},
                {yearEdit_, "Year Published", "Label3"},
                {publisherEdit_, "Publisher", "Label4"},
                {authorsEdit_, "Author(s)", "Label5"}};
    int row = 0;
    for (const auto& r : rows) {
        auto* label = named(new QLabel(QString::fromLatin1(r.text), details), r.name);
        label->setBuddy(r.field);
        grid->addWidget(label, row, 0, Qt::AlignTop);
        grid->addWidget(r.field, row, 1);
        ++row;
    }
    grid->setRowStretch(4, 1);
    tabs_->addTab(details, QStringLiteral("Game Details"));

    auto* notes = new QWidget(tabs_);
    auto* notesLayout = new QVBoxLayout(notes);
    notesEdit_ = named(new QPlainTextEdit(notes), "txtNotes");
    notesEdit_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    notesLayout->addWidget(notesEdit_);
    tabs_->addTab(notes, QStringLiteral("Notes"));

    romEdit_ = named(new QLineEdit(this), "Text1");
    findRomButton_ = named(new QPushButton(QStringLiteral("Find ROM"), this), "cmdFindRom");
    okButton_ = named(new QPushButton(QStringLiteral("OK"), this), "cmdOK");
    cancelButton_ = named(new QPushButton(QStringLiteral("Cancel"), this), "cmdCancel");
    okButton_->setDefault(true);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(romEdit_, 1);
    bottom->addWidget(findRomButton_);
    bottom->addSpacing(12);
    bottom->addWidget(okButton_);
    bottom->addWidget(cancelButton_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(tabs_);
    layout->addLayout(bottom);
    resize(460, 330);

    connect(findRomButton_, &QPushButton::clicked, this, &AddGameDialog::findRom);
    connect(okButton_, &QPushButton::clicked, this, &AddGameDialog::accept);
    connect(cancelButton_, &QPushButton::clicked, this, &AddGameDialog::reject);
}

void AddGameDialog::findRom() {
    QString path = dialogs_.openFileName(this, QStringLiteral("Locate Rom"), romFileFilter(),
                                         QString(), QString());
    if (path.isEmpty())
        return; // cancelled: everything typed stays
    path = QDir::toNativeSeparators(path);
    const std::string full = toStd(path);
    if (!isStorableName(full)) {
        dialogs_.show(this, unstorableNameMessage("Unable to add", full));
        return;
    }
    const SplitPath split = splitFullPath(full);
    if (!split.directory.empty())
        addSearchPath(state_.settings.romPaths, split.directory);
    romEdit_->setText(toQt(split.name));
    nameEdit_->setText(toQt(proposedGameName(split.name)));
    authorsEdit_->clear();
    notesEdit_->clear();
    publisherEdit_->clear();
    yearEdit_->clear();
}

void AddGameDialog::accept() {
    NewGame game;
    game.name = toStd(nameEdit_->text());
    game.genre = std::max(0, genreList_->currentIndex());
    game.year = leadingNumber(toStd(yearEdit_->text()));
    game.notes = storedMultiLineText(toStd(notesEdit_->toPlainText()), {});
    game.romFile = toStd(romEdit_->text());
    game.publisher = toStd(publisherEdit_->text());
    game.authors = storedMultiLineText(toStd(authorsEdit_->toPlainText()), {});
    const AddGameResult added = addGame(state_.catalogue, game);
    if (added.refusal) {
        // Nothing typed is lost: the user fills in the name and tries again.
        dialogs_.show(this, *added.refusal);
        tabs_->setCurrentIndex(0);
        nameEdit_->setFocus();
        return;
    }
    QDialog::accept();
}

} // namespace tolm::ui
