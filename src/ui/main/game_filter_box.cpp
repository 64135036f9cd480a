#include "ui/main/game_filter_box.h"

#include <QKeyEvent>

namespace tolm::ui {

GameFilterBox::GameFilterBox(QWidget* parent) : QLineEdit(parent) {
    setObjectName(QStringLiteral("filterBox"));
    setPlaceholderText(QStringLiteral("Filter games"));
    setClearButtonEnabled(true);
    setMinimumWidth(180);
}

void GameFilterBox::takeFocus() {
    setFocus(Qt::ShortcutFocusReason);
    selectAll();
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
