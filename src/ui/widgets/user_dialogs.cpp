#include "ui/widgets/user_dialogs.h"

#include <QFileDialog>
#include <QFileSystemModel>
#include <QInputDialog>
#include <QMessageBox>
#include <QSortFilterProxyModel>
#include <QStringList>

#include "platform/programs.h"
#include "ui/widgets/folder_picker.h"
#include "ui/widgets/qt_text.h"

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

QString QtUserDialogs::pickFolder(QWidget* parent, FolderKind kind) {
    FolderPickDialog picker(kind, *this, parent);
    return picker.exec() == QDialog::Accepted ? picker.pickedFolder() : QString();
}

namespace {

// Narrows a file dialog's listing to directories and programs while its
// "Programs" filter is chosen.
class ProgramFilesOnly final : public QSortFilterProxyModel {
public:
    explicit ProgramFilesOnly(QObject* parent) : QSortFilterProxyModel(parent) {}
    void setActive(bool active) {
        active_ = active;
        invalidateFilter();
    }

protected:
    bool filterAcceptsRow(int row, const QModelIndex& parent) const override {
        const auto* files = qobject_cast<const QFileSystemModel*>(sourceModel());
        if (!active_ || files == nullptr)
            return true;
        const QFileInfo info = files->fileInfo(files->index(row, 0, parent));
        return info.isDir() || info.isExecutable();
    }

private:
    bool active_ = true;
};

} // namespace

QString QtUserDialogs::openProgramFileName(QWidget* parent, const QString& title) {
    QFileDialog dialog(parent, title);
    dialog.setFileMode(QFileDialog::ExistingFile);
    if (platform::kProgramsCarryExeSuffix) {
        dialog.setNameFilter(qtNameFilters(QStringLiteral("Executable (*.exe)|*.exe")));
        dialog.setDefaultSuffix(QStringLiteral("exe"));
    } else {
        // Programs have no suffix here: the listing itself is filtered.
        const QString programs = QStringLiteral("Programs (*)");
        dialog.setOption(QFileDialog::DontUseNativeDialog);
        dialog.setNameFilters({programs, QStringLiteral("All files (*)")});
        auto* proxy = new ProgramFilesOnly(&dialog);
        dialog.setProxyModel(proxy);
        QObject::connect(&dialog, &QFileDialog::filterSelected, proxy,
                         [proxy, programs](const QString& f) { proxy->setActive(f == programs); });
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().constFirst();
}

} // namespace tolm::ui
