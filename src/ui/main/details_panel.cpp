#include "ui/main/details_panel.h"

#include <QMouseEvent>
#include <QPalette>
#include <QPlainTextEdit>
#include <QVBoxLayout>
#include <algorithm>

#include "catalogue/genres.h"
#include "core/text.h"
#include "settings/locate.h"
#include "ui/widgets/qt_text.h"

namespace tolm::ui {
namespace {

// Offsets from the tab control's top-left corner, twips.
constexpr double kRowTops[4] = {480, 720, 960, 1200};
constexpr double kRowHeight = 240;
constexpr double kLeftCaptionX = 120;
constexpr double kRightCaptionX = 4080;
constexpr double kCaptionWidth = 1275;
constexpr double kRightMargin = 120;

} // namespace

GameDetails describeGame(const GameRecord& game, const SettingsState& settings) {
    GameDetails d;
    d.name = toQt(game.name);
    // A damaged file can carry a genre outside the table: that shows no type.
    d.type = toQt(genreText(game.genre));
    d.year = game.year < 1 ? QString() : QString::number(game.year);
    d.publisher = toQt(game.publisher);
    d.authors = toQt(game.authors);
    d.notes = toQt(game.notes);
    d.romName = toQt(game.romFile);

    d.romFound = QStringLiteral("No rom found (check paths)");
    if (trimBlanks(game.romFile).empty())
        d.romFound = QStringLiteral("No rom");
    else if (locateFile(game.romFile, settings.romPaths).found)
        d.romFound = QStringLiteral("Yes");

    d.hasMusic = QStringLiteral("No Music file found (check paths)");
    if (trimBlanks(game.musicFile).empty())
        d.hasMusic = QStringLiteral("No Music file");
    else if (locateFile(game.musicFile, settings.musicPaths).found) {
        d.hasMusic = QStringLiteral("Yes (click to play)");
        d.musicPlayable = true;
    }
    return d;
}

void ClickableLabel::mouseReleaseEvent(QMouseEvent* event) {
    QLabel::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton)
        Q_EMIT leftReleased();
}

DetailsPanel::DetailsPanel(QWidget* parent, TwipsScale scale) : QTabWidget(parent), scale_(scale) {
    setObjectName(QStringLiteral("SSTab1"));
    setFixedSize(scale_.size(kWidthTwips, kHeightTwips));

    detailsPage_ = new QWidget(this);
    detailsPage_->setObjectName(QStringLiteral("tabGameDetails"));
    // Four rows 240 twips (16 pixels at 96 dpi) apart: a small font keeps the longest texts whole.
    QFont small = detailsPage_->font();
    small.setPointSizeF(std::min(small.pointSizeF(), 8.0));
    detailsPage_->setFont(small);
    addTab(detailsPage_, QStringLiteral("Game Details"));

    auto* notesPage = new QWidget(this);
    notesPage->setObjectName(QStringLiteral("tabNotes"));
    addTab(notesPage, QStringLiteral("Notes"));
    notesEdit_ = new QPlainTextEdit(notesPage);
    notesEdit_->setObjectName(QStringLiteral("txtNotes"));
    auto* notesLayout = new QVBoxLayout(notesPage);
    notesLayout->setContentsMargins(0, 0, 0, 0);
    notesLayout->addWidget(notesEdit_);

    musicValue_ = new ClickableLabel(detailsPage_);
    connect(musicValue_, &ClickableLabel::leftReleased, this, &DetailsPanel::musicValueClicked);

    QWidget* p = detailsPage_;
    grid_[0][0] = addCaption(p, QStringLiteral("Game Name"), "capGameName");
    grid_[0][1] = nameValue_ = addValue(new QLabel(p), "lblGameName");
    grid_[0][2] = addCaption(p, QStringLiteral("Year Published"), "capYear");
    grid_[0][3] = yearValue_ = addValue(new QLabel(p), "lblYear");
    grid_[1][0] = addCaption(p, QStringLiteral("Publisher"), "capPub");
    grid_[1][1] = publisherValue_ = addValue(new QLabel(p), "lblPub");
    grid_[1][2] = addCaption(p, QStringLiteral("Author(s)"), "capAuthors");
    grid_[1][3] = authorsValue_ = addValue(new QLabel(p), "lblAuthors");
    grid_[2][0] = addCaption(p, QStringLiteral("Rom Name"), "capRomName");
    grid_[2][1] = romNameValue_ = addValue(new QLabel(p), "lblRomName");
    grid_[2][2] = addCaption(p, QStringLiteral("Playable?"), "capRomFound");
    grid_[2][3] = playableValue_ = addValue(new QLabel(p), "lblRomFound");
    grid_[3][0] = addCaption(p, QStringLiteral("Has Music File?"), "capHasMusic");
    grid_[3][1] = addValue(musicValue_, "lblHasMusic");
    grid_[3][2] = addCaption(p, QStringLiteral("Game Type"), "capType");
    grid_[3][3] = typeValue_ = addValue(new QLabel(p), "lblType");
    placeLabels();
    clear();
    // The page's offset in the tab control is known only once Qt lays it out.
    detailsPage_->installEventFilter(this);
    if (QWidget* stack = detailsPage_->parentWidget())
        stack->installEventFilter(this);
}

QLabel* DetailsPanel::addCaption(QWidget* page, const QString& text, const char* name) {
    auto* label = new QLabel(text, page);
    label->setObjectName(QString::fromLatin1(name));
    return label;
}

QLabel* DetailsPanel::addValue(QLabel* label, const char* name) {
    label->setObjectName(QString::fromLatin1(name));
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, QColor(0, 0, 255));
    label->setPalette(palette);
    label->setTextFormat(Qt::PlainText);
    return label;
}

// The rows are measured from the tab control's top, but the labels live on
// the page below the tab bar: subtract where the page sits.
void DetailsPanel::placeLabels() {
    const QPoint page = detailsPage_->mapTo(this, QPoint(0, 0));
    // Each edge is converted on its own, so neighbours meet at any dpi.
    const int edges[5] = {scale_.x(kLeftCaptionX), scale_.x(kLeftCaptionX + kCaptionWidth),
                          scale_.x(kRightCaptionX), scale_.x(kRightCaptionX + kCaptionWidth),
                          scale_.x(kWidthTwips - kRightMargin)};
    for (int row = 0; row < 4; ++row) {
        const int top = scale_.y(kRowTops[row]);
        const int height = scale_.y(kRowTops[row] + kRowHeight) - top;
        for (int column = 0; column < 4; ++column) {
            grid_[row][column]->setGeometry(edges[column] - page.x(), top - page.y(),
                                            edges[column + 1] - edges[column], height);
        }
    }
}

bool DetailsPanel::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Move || event->type() == QEvent::Resize)
        placeLabels();
    return QTabWidget::eventFilter(watched, event);
}

void DetailsPanel::showDetails(const GameDetails& d) {
    nameValue_->setText(d.name);
    typeValue_->setText(d.type);
    yearValue_->setText(d.year);
    publisherValue_->setText(d.publisher);
    authorsValue_->setText(d.authors);
    notesEdit_->setPlainText(d.notes);
    romNameValue_->setText(d.romName);
    playableValue_->setText(d.romFound);
    musicValue_->setText(d.hasMusic);
    musicPlayable_ = d.musicPlayable;
    // A screen reader speaks each value with its caption ("Publisher: Ocean").
    for (const auto& row : grid_) {
        for (int column = 0; column < 4; column += 2)
            row[column + 1]->setAccessibleName(row[column]->text() + QStringLiteral(": ") +
                                               row[column + 1]->text());
    }
    // A long value may be cut at the label's edge; the tip shows it whole.
    for (QLabel* label : {nameValue_, typeValue_, publisherValue_, authorsValue_, romNameValue_,
                          static_cast<QLabel*>(musicValue_)})
        label->setToolTip(label->text());
}

void DetailsPanel::clear() {
    showDetails(GameDetails{});
}

} // namespace tolm::ui
