#include "ui/edit/game_details_form.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTabWidget>
#include <string_view>

#include "catalogue/genres.h"
#include "ui/widgets/object_names.h"
#include "ui/widgets/qt_text.h"

namespace tolm::ui {

GameDetailsForm addGameDetailsTab(QTabWidget* tabs,
                                  const std::array<const char*, 5>& captionNames) {
    auto* page = new QWidget(tabs);
    auto* grid = new QGridLayout(page);
    GameDetailsForm form;
    form.name = named(new QLineEdit(page), "txtGameName");
    form.genre = named(new QComboBox(page), "lstType");
    form.genre->setMaxVisibleItems(20);
    for (const std::string_view genre : GenreTable)
        form.genre->addItem(toQt(genre));
    form.genre->setCurrentIndex(-1);
    form.year = named(new QLineEdit(page), "txtYear");
    form.publisher = named(new QLineEdit(page), "txtPublisher");
    form.authors = named(new QPlainTextEdit(page), "txtAuthors");
    form.authors->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    const std::array<std::pair<QWidget*, const char*>, 5> fields = {{{form.name, "Game Name"},
                                                                     {form.genre, "Game Type"},
                                                                     {form.year, "Year Published"},
                                                                     {form.publisher, "Publisher"},
                                                                     {form.authors, "Author(s)"}}};
    for (int row = 0; row < 5; ++row) {
        const auto [field, text] = fields[static_cast<std::size_t>(row)];
        auto* label = named(new QLabel(QString::fromLatin1(text), page),
                            captionNames[static_cast<std::size_t>(row)]);
        label->setBuddy(field);
        grid->addWidget(label, row, 0, Qt::AlignTop);
        grid->addWidget(field, row, 1);
    }
    grid->setRowStretch(4, 1);
    tabs->addTab(page, QStringLiteral("Game Details"));
    return form;
}

} // namespace tolm::ui
