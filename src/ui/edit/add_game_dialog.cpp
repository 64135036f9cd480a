#include "ui/edit/add_game_dialog.h"

#include <QComboBox>
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
#include "core/text.h"
#include "settings/settings.h"
#include "state/game_edits.h"
#include "ui/edit/game_details_form.h"
#include "ui/edit/storable_text.h"
#include "ui/widgets/file_filters.h"
#include "ui/widgets/object_names.h"
#include "ui/widgets/qt_text.h"
#include "ui/widgets/user_dialogs.h"

namespace tolm::ui {

AddGameDialog::AddGameDialog(AppState& state, UserDialogs& dialogs, QWidget* parent)
    : QDialog(parent), state_(state), dialogs_(dialogs) {
    setObjectName(QStringLiteral("frmAddSingle"));
    setWindowTitle(QStringLiteral("Add Game"));
    buildWidgets();
    details_.genre->setCurrentIndex(0);
}

void AddGameDialog::buildWidgets() {
    tabs_ = named(new QTabWidget(this), "SSTab1");

    details_ = addGameDetailsTab(tabs_, {"Label7", "Label2", "Label3", "Label4", "Label5"});
    details_.authors->setLineWrapMode(QPlainTextEdit::NoWrap);
    details_.authors->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);

    auto* notes = new QWidget(tabs_);
    auto* notesLayout = new QVBoxLayout(notes);
    notesEdit_ = named(new QPlainTextEdit(notes), "txtNotes");
    notesEdit_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    notesLayout->addWidget(notesEdit_);
    tabs_->addTab(notes, QStringLiteral("Notes"));

    romEdit_ = named(new QLineEdit(this), kRomBox);
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
    const std::optional<StorableFile> picked =
        pickStorableFile(dialogs_, this, QStringLiteral("Locate Rom"), romFileFilter(), QString(),
                         QString(), "Unable to add");
    if (!picked)
        return; // cancelled or refused: everything typed stays
    if (!picked->directory.empty())
        addSearchPath(state_.settings.romPaths, picked->directory);
    romEdit_->setText(toQt(picked->name));
    // Each pick starts the game afresh, as it always has; a TOSEC name brings
    // its year and publisher, which stay editable.
    const GameFromFile named = gameFromFileName(picked->name, NameRule::UpToLastDot);
    details_.name->setText(toQt(named.name));
    details_.authors->clear();
    notesEdit_->clear();
    details_.publisher->setText(toQt(named.publisher));
    details_.year->setText(named.year > 0 ? QString::number(named.year) : QString());
}

void AddGameDialog::accept() {
    if (!typedTextStorable(dialogs_, this, tabs_, QStringLiteral("Unable to add"),
                           {{"Game Name", details_.name, details_.name->text()},
                            {"Publisher", details_.publisher, details_.publisher->text()},
                            {"Author(s)", details_.authors, details_.authors->toPlainText()},
                            {"Notes", notesEdit_, notesEdit_->toPlainText()},
                            {"The ROM file", romEdit_, romEdit_->text()}}))
        return; // nothing typed is lost: the user mends the field
    NewGame game;
    game.name = toStd(details_.name->text());
    game.genre = std::max(0, details_.genre->currentIndex());
    game.year = leadingNumber(toStd(details_.year->text()));
    game.notes = storedMultiLineText(toStd(notesEdit_->toPlainText()), {});
    game.romFile = toStd(romEdit_->text());
    game.publisher = toStd(details_.publisher->text());
    game.authors = storedMultiLineText(toStd(details_.authors->toPlainText()), {});
    const AddGameResult added = addGame(state_.catalogue, game);
    if (added.refusal) {
        // Nothing typed is lost: the user fills in the name and tries again.
        dialogs_.show(this, *added.refusal);
        tabs_->setCurrentIndex(0);
        details_.name->setFocus();
        return;
    }
    QDialog::accept();
}

} // namespace tolm::ui
