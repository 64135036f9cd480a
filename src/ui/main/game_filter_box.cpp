#include "ui/main/game_filter_box.h"

#include <QKeyEvent>

namespace tolm::ui {
namespace {

const QString kHint = QStringLiteral("Words to find, and terms such as genre:Arcade, year:1984, "
                                     "publisher:\"Ocean Software\", rom:missing, played:30d");

} // namespace

GameFilterBox::GameFilterBox(QWidget* parent) : QLineEdit(parent) {
    setObjectName(QStringLiteral("filterBox"));
    setPlaceholderText(QStringLiteral("Filter games"));
    setClearButtonEnabled(true);
    setMinimumWidth(180);
    setToolTip(kHint);
}

void GameFilterBox::takeFocus() {
    setFocus(Qt::ShortcutFocusReason);
    selectAll();
}

void GameFilterBox::addTerm(const QString& term) {
    const QString typed = text();
    // Already there as a whole term: blanks (or the ends) on both sides.
    for (qsizetype at = typed.indexOf(term, 0, Qt::CaseInsensitive); at >= 0;
         at = typed.indexOf(term, at + 1, Qt::CaseInsensitive)) {
        const qsizetype end = at + term.size();
        if ((at == 0 || typed[at - 1].isSpace()) && (end == typed.size() || typed[end].isSpace()))
            return;
    }
    const bool joined = typed.isEmpty() || typed.back().isSpace();
    setText(typed + (joined ? QString() : QStringLiteral(" ")) + term);
}

void GameFilterBox::showFilterError(const QString& why) {
    QPalette colours;
    if (!why.isEmpty())
        colours.setColor(QPalette::Text, Qt::red);
    setPalette(colours);
    setToolTip(why.isEmpty() ? kHint : why);
}

bool GameFilterBox::event(QEvent* event) {
    // Under X11 key bindings Ctrl+D deletes the next character, which a line
    // edit may claim before the window's shortcuts see it; here it marks the
    // game a favourite, as it does everywhere else in the window.
    if (event->type() == QEvent::ShortcutOverride) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->keyCombination() == QKeyCombination(Qt::ControlModifier, Qt::Key_D)) {
            event->ignore();
            return true;
        }
    }
    return QLineEdit::event(event);
}

void GameFilterBox::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        clear();
        event->accept();
        return;
    }
    QLineEdit::keyPressEvent(event);
}

QString filterCountText(bool filtered, int shown, int total) {
    if (!filtered)
        return {};
    return QStringLiteral("%1 of %2 games").arg(shown).arg(total);
}

} // namespace tolm::ui
