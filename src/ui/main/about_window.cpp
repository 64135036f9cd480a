#include "ui/main/about_window.h"

#include <QGridLayout>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QStringList>

#include "tolm/version.h"
#include "ui/widgets/artwork.h"

namespace tolm::ui {

AboutWindow::AboutWindow(QWidget* owner)
    : QDialog(owner, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                         Qt::WindowCloseButtonHint) {
    setObjectName(QStringLiteral("frmAbout"));
    setWindowTitle(QStringLiteral("about"));
    setWindowIcon(programIcon());

    logo_ = new QLabel(this);
    logo_->setObjectName(QStringLiteral("Picture1"));
    const QImage logo = logoPicture();
    logo_->setPixmap(QPixmap::fromImage(logo));
    logo_->setFixedSize(logo.size());

    identification_ = new QLabel(this);
    identification_->setObjectName(QStringLiteral("Label1"));
    identification_->setText(aboutText());
    identification_->setTextFormat(Qt::PlainText);
    identification_->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    okButton_ = new QPushButton(QStringLiteral("OK"), this);
    okButton_->setObjectName(QStringLiteral("Command1"));
    okButton_->setDefault(true);
    connect(okButton_, &QPushButton::clicked, this, &QDialog::accept);

    auto* layout = new QGridLayout(this);
    layout->addWidget(logo_, 0, 0, 2, 1);
    layout->addWidget(identification_, 0, 1);
    layout->addWidget(okButton_, 1, 1, Qt::AlignRight | Qt::AlignBottom);
    layout->setColumnStretch(1, 1);
    // The layout fixes the window at its natural size: it cannot be resized.
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

QString AboutWindow::aboutText() {
    return QStringList{
        QStringLiteral("Spectrum Game Catalogue (Tolm) ") + QLatin1String(kVersionText),
        QStringLiteral("Written by the Tolm developers"), QStringLiteral("2025-2026")}
        .join(QStringLiteral("\r\n"));
}

} // namespace tolm::ui
