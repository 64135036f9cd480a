#include "ui/common/user_dialogs.h"

#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QStringList>

#include "ui/common/qt_text.h"

namespace tolm::ui {

UserDialogs::Answer UserDialogs::show(QWidget* parent, const UserMessage& m) {
    return message(parent, toQt(m.title), toQt(m.text), m.icon, m.buttons);
}

UserDialogs::Answer QtUserDialogs::message(QWidget* parent, const QString& title,
                                           const QString& text, Icon icon, Buttons buttons) {
    QMessageBox box(parent);
    box.setWindowTitle(title);
    box.setText(text);
    switch (icon) {
    case Icon::None:
        box.setIcon(QMessageBox::NoIcon);
        break;
    case Icon::Critical:
        box.setIcon(QMessageBox::Critical);
        break;
    case Icon::Information:
        box.setIcon(QMessageBox::Information);
        break;
    case Icon::Question:
        box.setIcon(QMessageBox::Question);
        break;
    }
    if (buttons == Buttons::YesNo) {
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        box.setDefaultButton(QMessageBox::Yes);
    } else if (buttons == Buttons::YesNoCancel) {
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        box.setDefaultButton(QMessageBox::Yes);
        box.setEscapeButton(QMessageBox::Cancel);
    } else {
        box.setStandardButtons(QMessageBox::Ok);
    }
    const int result = box.exec();
    if (buttons == Buttons::YesNo)
        return result == QMessageBox::Yes ? Answer::Yes : Answer::No;
    if (buttons == Buttons::YesNoCancel) {
        if (result == QMessageBox::Yes)
            return Answer::Yes;
        return result == QMessageBox::No ? Answer::No : Answer::Cancel;
    }
    return Answer::Ok;
}

std::optional<QString> QtUserDialogs::inputText(QWidget* parent, const QString& prompt,
                                                const QString& title, const QString& preset) {
    bool ok = false;
    QString text = QInputDialog::getText(parent, title, prompt, QLineEdit::Normal, preset, &ok);
    if (!ok)
        return std::nullopt;
    return text;
}

QString QtUserDialogs::openFileName(QWidget* parent, const QString& title, const QString& filter,
                                    const QString& presetName, const QString& startDirectory) {
    QFileDialog dialog(parent, title, startDirectory, qtNameFilters(filter));
    dialog.setFileMode(QFileDialog::ExistingFile);
    // The descriptions name their patterns already; the matched ones follow.
    dialog.setOption(QFileDialog::HideNameFilterDetails);
    if (!presetName.isEmpty())
        dialog.selectFile(presetName);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().constFirst();
}

QString QtUserDialogs::existingDirectory(QWidget* parent, const QString& title,
                                         const QString& startDirectory) {
    return QFileDialog::getExistingDirectory(parent, title, startDirectory);
}

} // namespace tolm::ui
