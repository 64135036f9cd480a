#include "ui/config/find_rom_path_dialog.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QTreeView>
#include <QVBoxLayout>

#include "settings/search_path_list.h"
#include "ui/widgets/folder_picker.h"
#include "ui/widgets/qt_text.h"

namespace tolm::ui {

FindRomPathDialog::FindRomPathDialog(UserDialogs& dialogs, QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("frmFindRomPath"));
    setWindowTitle(QStringLiteral("Locate Rom path"));
    picker_ = new FolderPicker(dialogs, this);

    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("cmdOK"));
    auto* cancel = new QPushButton(QStringLiteral("Cancel"), this);
    cancel->setObjectName(QStringLiteral("cmdCancel"));
    ok->setAutoDefault(false);
    cancel->setAutoDefault(false);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(picker_->driveList());
    layout->addWidget(picker_->directoryList(), 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    layout->addLayout(buttons);
    resize(340, 380);

    connect(ok, &QPushButton::clicked, this, [this] {
        // The directory the list has open, not one merely highlighted.
        const QString open = picker_->openDirectory();
        if (open.isEmpty())
            return;
        pickedFolder_ = toQt(withTrailingSeparator(toStd(open)));
        accept();
    });
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

} // namespace tolm::ui
