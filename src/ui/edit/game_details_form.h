#pragma once

#include <array>

class QComboBox;
class QLineEdit;
class QPlainTextEdit;
class QTabWidget;

namespace tolm::ui {

// The "Game Details" tab the Add Game and Properties dialogs share: name,
// genre (filled with the genre table, nothing picked), year, publisher and
// authors, each under its caption.
struct GameDetailsForm {
    QLineEdit* name = nullptr;
    QComboBox* genre = nullptr;
    QLineEdit* year = nullptr;
    QLineEdit* publisher = nullptr;
    QPlainTextEdit* authors = nullptr;
};

// Adds the tab to `tabs`. The captions' object names, in field order, are
// each dialog's own.
GameDetailsForm addGameDetailsTab(QTabWidget* tabs, const std::array<const char*, 5>& captionNames);

} // namespace tolm::ui
