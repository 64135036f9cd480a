#include "ui/main/about_window.h"

#include <QGridLayout>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QStringList>

#include "tolm/version.h"
#include "ui/main/artwork.h"

namespace tolm::ui {

AboutWindow::AboutWindow(QWidget* owner)
    : QDialog(owner, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                         Qt::WindowCloseButtonHint) {
    setObjectName(QStringLiteral("frmAbout"));
    setWindowTitle(QStringLiteral("about"));
    setWindowIcon(programIcon());

    Picture1 = new QLabel(this);
    Picture1->setObjectName(QStringLiteral("Picture1"));
    const QImage logo = logoPicture();
    Picture1->setPixmap(QPixmap::fromImage(logo));
    Picture1->setFixedSize(logo.size());

    Label1 = new QLabel(this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setText(aboutText());
    Label1->setTextFormat(Qt::PlainText);
    Label1->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    Command1 = new QPushButton(QStringLiteral("OK"), this);
    Command1->setObjectName(QStringLiteral("Command1"));
    Command1->setDefault(true);
    connect(Command1, &QPushButton::clicked, this, &QDialog::accept);

    auto* layout = new QGridLayout(this);
    layout->addWidget(Picture1, 0, 0, 2, 1);
    layout->addWidget(Label1, 0, 1);
    layout->addWidget(Command1, 1, 1, Qt::AlignRight | Qt::AlignBottom);
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
