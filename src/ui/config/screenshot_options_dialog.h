#pragma once

#include <QDialog>
#include <functional>

#include "settings/settings.h"

class QPushButton;
class QRadioButton;

namespace tolm::ui {

class ProgramLauncher;
class UserDialogs;

// frmSSOptions: the screenshot strip's orientation and picture size. The
// option buttons are a working copy that only OK stores; OK then has the
// strip rebuilt and the window laid out before the dialog closes.
class ScreenshotOptionsDialog final : public QDialog {
    Q_OBJECT
public:
    static constexpr const char* kHorizontalOption = "Option1";
    static constexpr const char* kVerticalOption = "Option2";
    static constexpr const char* kFullSizeOption = "Option3";
    static constexpr const char* kHalfSizeOption = "Option4";
    static constexpr const char* kPathsButton = "cmdSSPaths";
    static constexpr const char* kOkButton = "Command2";
    static constexpr const char* kCancelButton = "Command1";

    // `rebuildStrip` runs after OK has stored the options. "Screenshot Paths"
    // opens the paths dialog over this one, with `dialogs` and `launcher`.
    ScreenshotOptionsDialog(SettingsState& settings, UserDialogs& dialogs,
                            ProgramLauncher& launcher, std::function<void()> rebuildStrip,
                            QWidget* parent = nullptr);

private:
    void accepted();

    SettingsState& settings_;
    std::function<void()> rebuildStrip_;
    UserDialogs& dialogs_;
    ProgramLauncher& launcher_;
    QRadioButton* horizontal_ = nullptr;
    QRadioButton* vertical_ = nullptr;
    QRadioButton* fullSize_ = nullptr;
    QRadioButton* halfSize_ = nullptr;
};

} // namespace tolm::ui
