#pragma once

#include <QLineEdit>

namespace tolm::ui {

// The filter field at the right end of the main window's menu bar: the list
// shows only the games containing every word typed and meeting every term
// (genre:Arcade, year:1984...). Escape clears it; Ctrl+D is the window's
// favourite key here too.
class GameFilterBox final : public QLineEdit {
    Q_OBJECT
public:
    explicit GameFilterBox(QWidget* parent = nullptr);

    // Ctrl+F: the field takes the focus with its text selected.
    void takeFocus();

    // Appends `term` to what is typed, unless it is there already.
    void addTerm(const QString& term);

    // A term the list could not read: the text turns red and the tooltip
    // says why; an empty `why` puts both back.
    void showFilterError(const QString& why);

protected:
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
};

// "N of M games" while a filter hides games, empty otherwise.
QString filterCountText(bool filtered, int shown, int total);

} // namespace tolm::ui
