#include "ui/import/sgd_directory_dialog.h"

#include <QComboBox>
#include <QGridLayout>
#include <QPushButton>
#include <QTreeView>
#include <QVBoxLayout>

namespace tolm::ui {

SgdDirectoryDialog::SgdDirectoryDialog(UserDialogs& dialogs, QWidget* parent,
                                       FolderPicker::DriveSource drives)
    : QDialog(parent) {
    setObjectName(QStringLiteral("frmfindDir"));
    setWindowTitle(QStringLiteral("Locate SGD Directory"));

    picker_ = new FolderPicker(dialogs, this, std::move(drives));
    picker_->directoryList()->setMinimumSize(260, 220);

    okButton_ = new QPushButton(QStringLiteral("OK"), this);
    okButton_->setObjectName(QStringLiteral("cmdOK"));
    okButton_->setDefault(true);
    cancelButton_ = new QPushButton(QStringLiteral("Cancel"), this);
    cancelButton_->setObjectName(QStringLiteral("cmdCancel"));

    auto* buttons = new QVBoxLayout;
    buttons->addWidget(okButton_);
    buttons->addWidget(cancelButton_);
    buttons->addStretch(1);

    auto* layout = new QGridLayout(this);
    layout->addWidget(picker_->driveList(), 0, 0);
    layout->addWidget(picker_->directoryList(), 1, 0);
    layout->addLayout(buttons, 0, 1, 2, 1);

    connect(okButton_, &QPushButton::clicked, this, [this] {
        chosen_ = picker_->openDirectory();
        accept();
    });
    connect(cancelButton_, &QPushButton::clicked, this, &QDialog::reject);

    setFixedSize(sizeHint());
    picker_->directoryList()->setFocus();
}

} // namespace tolm::ui
