#pragma once

#include <QDialog>
#include <functional>

#include "settings/settings.h"

class QPushButton;
class QRadioButton;

namespace tolm::ui {

// frmSSOptions: the screenshot strip's orientation and picture size. The
// option buttons are a working copy that only OK stores; OK then has the
// strip rebuilt and the window laid out before the dialog closes.
class ScreenshotOptionsDialog final : public QDialog {
    Q_OBJECT
public:
    // `rebuildStrip` runs after OK has stored the options; `openPaths` shows
    // the paths dialog over the window it is given.
    ScreenshotOptionsDialog(SettingsState& settings, std::function<void()> rebuildStrip,
                            std::function<void(QWidget*)> openPaths, QWidget* parent = nullptr);

private:
    void accepted();

    SettingsState& settings_;
    std::function<void()> rebuildStrip_;
    std::function<void(QWidget*)> openPaths_;
    QRadioButton* horizontal_ = nullptr;
    QRadioButton* vertical_ = nullptr;
    QRadioButton* fullSize_ = nullptr;
    QRadioButton* halfSize_ = nullptr;
};

} // namespace tolm::ui
