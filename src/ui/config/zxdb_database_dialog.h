#pragma once

#include <QDialog>
#include <memory>
#include <string>

#include "state/app_state.h"

class QLabel;
class QPushButton;

namespace tolm::ui {

class UserDialogs;

// The index file at `path` with its look-up tables; none when there is no
// file, or it is damaged (then `error` says so).
std::shared_ptr<const ZxdbData> loadZxdbIndex(const std::string& path, std::string& error);

// frmZxdb: which ZXDB release the index came from, what it holds, and a
// button to read a (newer) ZXDB script into it. The reading runs on a worker
// with progress and Cancel; the index there stays until a new one is whole.
class ZxdbDatabaseDialog final : public QDialog {
    Q_OBJECT
public:
    static constexpr const char* kVersionLabel = "lblZxdbVersion";
    static constexpr const char* kCountsLabel = "lblZxdbCounts";
    static constexpr const char* kReadButton = "cmdReadScript";
    static constexpr const char* kCloseButton = "cmdClose";

    ZxdbDatabaseDialog(AppState& state, UserDialogs& dialogs, QWidget* parent = nullptr);

    // Reads the script at `path` into the index, as the button does after
    // its file pick. True when a new index is in place.
    bool readScript(const QString& path);

private:
    void pickScript();
    void showIndex();

    AppState& state_;
    UserDialogs& dialogs_;
    QLabel* versionLabel_ = nullptr;
    QLabel* countsLabel_ = nullptr;
    QPushButton* readButton_ = nullptr;
};

} // namespace tolm::ui
