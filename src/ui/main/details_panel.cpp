#include "ui/main/details_panel.h"

#include <QMouseEvent>
#include <QPalette>
#include <QPlainTextEdit>
#include <QVBoxLayout>
#include <algorithm>

#include "catalogue/genres.h"
#include "core/text.h"
#include "settings/locate.h"
#include "ui/common/qt_text.h"
#include "ui/main/launching.h"

namespace tolm::ui {
namespace {

// Offsets from the tab control's top-left corner, pixels.
constexpr int kRowTops[4] = {32, 48, 64, 80};
constexpr int kRowHeight = 16;
constexpr int kLeftCaptionX = 8;
constexpr int kRightCaptionX = 272;
constexpr int kCaptionWidth = 85;
constexpr int kRightMargin = 8;

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
    else if (locateFile(game.musicFile, settings.musicPaths).found)
        d.hasMusic = musicPlayableText();
    return d;
}

void ClickableLabel::mouseReleaseEvent(QMouseEvent* event) {
    QLabel::mouseReleaseEvent(event);
    Q_EMIT released();
}

DetailsPanel::DetailsPanel(QWidget* parent) : QTabWidget(parent) {
    setObjectName(QStringLiteral("SSTab1"));
    setFixedSize(kWidth, kHeight);

    detailsPage_ = new QWidget(this);
    detailsPage_->setObjectName(QStringLiteral("tabGameDetails"));
    // Four rows 16 pixels apart: a small font keeps the longest texts whole.
    QFont small = detailsPage_->font();
    small.setPointSizeF(std::min(small.pointSizeF(), 8.0));
    detailsPage_->setFont(small);
    addTab(detailsPage_, QStringLiteral("Game Details"));

    auto* notesPage = new QWidget(this);
    notesPage->setObjectName(QStringLiteral("tabNotes"));
    addTab(notesPage, QStringLiteral("Notes"));
    txtNotes = new QPlainTextEdit(notesPage);
    txtNotes->setObjectName(QStringLiteral("txtNotes"));
    auto* notesLayout = new QVBoxLayout(notesPage);
    notesLayout->setContentsMargins(0, 0, 0, 0);
    notesLayout->addWidget(txtNotes);

    lblHasMusic = new ClickableLabel(detailsPage_);
    connect(lblHasMusic, &ClickableLabel::released, this, &DetailsPanel::musicLabelReleased);

    QWidget* p = detailsPage_;
    grid_[0][0] = addCaption(p, QStringLiteral("Game Name"), "capGameName");
    grid_[0][1] = lblGameName = addValue(p, new QLabel(p), "lblGameName");
    grid_[0][2] = addCaption(p, QStringLiteral("Year Published"), "capYear");
    grid_[0][3] = lblYear = addValue(p, new QLabel(p), "lblYear");
    grid_[1][0] = addCaption(p, QStringLiteral("Publisher"), "capPub");
    grid_[1][1] = lblPub = addValue(p, new QLabel(p), "lblPub");
    grid_[1][2] = addCaption(p, QStringLiteral("Author(s)"), "capAuthors");
    grid_[1][3] = lblAuthors = addValue(p, new QLabel(p), "lblAuthors");
    grid_[2][0] = addCaption(p, QStringLiteral("Rom Name"), "capRomName");
    grid_[2][1] = lblRomName = addValue(p, new QLabel(p), "lblRomName");
    grid_[2][2] = addCaption(p, QStringLiteral("Playable?"), "capRomFound");
    grid_[2][3] = lblRomFound = addValue(p, new QLabel(p), "lblRomFound");
    grid_[3][0] = addCaption(p, QStringLiteral("Has Music File?"), "capHasMusic");
    grid_[3][1] = addValue(p, lblHasMusic, "lblHasMusic");
    grid_[3][2] = addCaption(p, QStringLiteral("Game Type"), "capType");
    grid_[3][3] = lblType = addValue(p, new QLabel(p), "lblType");
    placeLabels();
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

QLabel* DetailsPanel::addValue(QWidget*, QLabel* label, const char* name) {
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
    const int leftValueX = kLeftCaptionX + kCaptionWidth;
    const int rightValueX = kRightCaptionX + kCaptionWidth;
    const int columns[4][2] = {{kLeftCaptionX, kCaptionWidth},
                               {leftValueX, kRightCaptionX - leftValueX},
                               {kRightCaptionX, kCaptionWidth},
                               {rightValueX, kWidth - kRightMargin - rightValueX}};
    for (int row = 0; row < 4; ++row) {
        for (int column = 0; column < 4; ++column) {
            grid_[row][column]->setGeometry(columns[column][0] - page.x(), kRowTops[row] - page.y(),
                                            columns[column][1], kRowHeight);
        }
    }
}

bool DetailsPanel::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Move || event->type() == QEvent::Resize)
        placeLabels();
    return QTabWidget::eventFilter(watched, event);
}

void DetailsPanel::showDetails(const GameDetails& d) {
    lblGameName->setText(d.name);
    lblType->setText(d.type);
    lblYear->setText(d.year);
    lblPub->setText(d.publisher);
    lblAuthors->setText(d.authors);
    txtNotes->setPlainText(d.notes);
    lblRomName->setText(d.romName);
    lblRomFound->setText(d.romFound);
    lblHasMusic->setText(d.hasMusic);
    // A long value may be cut at the label's edge; the tip shows it whole.
    for (QLabel* label :
         {lblGameName, lblType, lblPub, lblAuthors, lblRomName, static_cast<QLabel*>(lblHasMusic)})
        label->setToolTip(label->text());
}

void DetailsPanel::clear() {
    showDetails(GameDetails{});
}

QString DetailsPanel::musicText() const {
    return lblHasMusic->text();
}

} // namespace tolm::ui
