#include "ui/config/screenshot_options_dialog.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "ui/config/paths_dialog.h"

namespace tolm::ui {
namespace {

QRadioButton* option(QWidget* frame, const char* name, const char* text) {
    auto* button = new QRadioButton(QLatin1String(text), frame);
    button->setObjectName(QLatin1String(name));
    frame->layout()->addWidget(button);
    return button;
}

QGroupBox* frame(QWidget* parent, const char* name, const char* title) {
    auto* box = new QGroupBox(QLatin1String(title), parent);
    box->setObjectName(QLatin1String(name));
    new QVBoxLayout(box);
    return box;
}

QPushButton* button(QWidget* parent, const char* name, const char* text) {
    auto* b = new QPushButton(QLatin1String(text), parent);
    b->setObjectName(QLatin1String(name));
    b->setAutoDefault(false);
    return b;
}

} // namespace

ScreenshotOptionsDialog::ScreenshotOptionsDialog(SettingsState& settings, UserDialogs& dialogs,
                                                 ProgramLauncher& launcher,
                                                 std::function<void()> rebuildStrip,
                                                 QWidget* parent)
    : QDialog(parent), settings_(settings), rebuildStrip_(std::move(rebuildStrip)),
      dialogs_(dialogs), launcher_(launcher) {
    setObjectName(QStringLiteral("frmSSOptions"));
    setWindowTitle(QStringLiteral("Screenshot options."));

    // Each frame is its own group, so its two options exclude each other.
    QGroupBox* orientation = frame(this, "Frame1", "Orientation");
    horizontal_ = option(orientation, kHorizontalOption, "Horizontal");
    vertical_ = option(orientation, kVerticalOption, "Vertical");
    QGroupBox* size = frame(this, "Frame2", "Size");
    fullSize_ = option(size, kFullSizeOption, "Full (256 x 192)");
    halfSize_ = option(size, kHalfSizeOption, "Half (128 x 96)");
    QPushButton* paths = button(this, kPathsButton, "Screenshot Paths");
    QPushButton* ok = button(this, kOkButton, "OK");
    QPushButton* cancel = button(this, kCancelButton, "Cancel");
    ok->setDefault(true);

    auto* layout = new QGridLayout(this);
    layout->addWidget(orientation, 0, 0);
    layout->addWidget(size, 0, 1);
    layout->addWidget(paths, 1, 0, Qt::AlignLeft);
    auto* okCancel = new QHBoxLayout;
    okCancel->addStretch();
    okCancel->addWidget(ok);
    okCancel->addWidget(cancel);
    layout->addLayout(okCancel, 1, 1);

    (settings_.screenshotLocation != 0 ? vertical_ : horizontal_)->setChecked(true);
    (settings_.screenshotSize != 0 ? halfSize_ : fullSize_)->setChecked(true);

    connect(ok, &QPushButton::clicked, this, &ScreenshotOptionsDialog::accepted);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(paths, &QPushButton::clicked, this, [this] {
        // On its first tab, as from the main window; its changes hold even
        // if this dialog is then cancelled.
        PathsDialog pathsDialog(settings_, dialogs_, launcher_, this);
        pathsDialog.exec();
    });
}

void ScreenshotOptionsDialog::accepted() {
    settings_.screenshotLocation = vertical_->isChecked() ? 1 : 0;
    settings_.screenshotSize = halfSize_->isChecked() ? 1 : 0;
    if (rebuildStrip_)
        rebuildStrip_();
    accept();
}

} // namespace tolm::ui
