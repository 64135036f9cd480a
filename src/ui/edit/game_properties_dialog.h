#pragma once

#include <QDialog>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "state/app_state.h"
#include "ui/edit/game_details_form.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QTabWidget;

namespace tolm::ui {

class GameFileScreenCache;
class PictureBox;
struct StorableFile;
class UserDialogs;

// frmGameProps: edits every field of the selected game. Nothing reaches the
// record before OK; directories registered by Add stay registered on Cancel.
class GamePropertiesDialog final : public QDialog {
    Q_OBJECT
public:
    // Edits the record at state.selectedGame, which must exist. Screens from
    // game files come from `gameFileScreens` when given (the main window's,
    // which may know them already), else from a cache of the dialog's own.
    static constexpr const char* kScreenshotCaption = "Label6";
    static constexpr const char* kScreenshotPicture = "Picture1";

    GamePropertiesDialog(AppState& state, UserDialogs& dialogs, QWidget* parent = nullptr,
                         GameFileScreenCache* gameFileScreens = nullptr);
    ~GamePropertiesDialog() override;

    // The working screenshot list and the index of the part shown.
    const std::string& draftScreenshots() const { return draftScreenshots_; }
    int shownScreenshot() const { return shownScreenshot_; }

    // OK: writes every field back (the caller updates the main window), or
    // names the field whose text the catalogue cannot store and stays open.
    void accept() override;

protected:
    // Pictures dropped on the screenshot tab are added as the Add button
    // would; anything its file dialog would not offer is refused.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildWidgets();
    void loadFromRecord();
    void showScreenshot();
    void addScreenshot();
    void addScreenshotFile(const StorableFile& file);
    void dropScreenshots(const QStringList& files);
    void removeScreenshot();
    void browseScreenshots(int step);
    void locateRom();
    void findMusic();
    // Asks for a file starting where `storedName` lies over `searchPaths`;
    // empty when cancelled or refused.
    QString pickFile(const QString& title, const QString& filter, const std::string& storedName,
                     const std::vector<std::string>& searchPaths);

    // Without screenshots, the screen in the game file the ROM box names.
    QImage gameFileScreen();

    AppState& state_;
    UserDialogs& dialogs_;
    GameFileScreenCache* gameFileScreens_;
    std::unique_ptr<GameFileScreenCache> ownGameFileScreens_;
    std::int32_t position_;
    std::string draftScreenshots_;
    int shownScreenshot_ = 0;

    QTabWidget* tabs_ = nullptr;
    QWidget* screenshotPage_ = nullptr;
    GameDetailsForm details_;
    QLineEdit* romEdit_ = nullptr;
    QPushButton* locateButton_ = nullptr;
    QPlainTextEdit* notesEdit_ = nullptr;
    QLabel* screenshotCaption_ = nullptr;
    PictureBox* screenshotPicture_ = nullptr;
    QPushButton* addScreenshotButton_ = nullptr;
    QPushButton* removeScreenshotButton_ = nullptr;
    QPushButton* backButton_ = nullptr;
    QPushButton* nextButton_ = nullptr;
    QLineEdit* musicEdit_ = nullptr;
    QPushButton* findMusicButton_ = nullptr;
    QPushButton* okButton_ = nullptr;
    QPushButton* cancelButton_ = nullptr;
};

} // namespace tolm::ui
