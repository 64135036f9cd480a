#pragma once

#include <QDialog>
#include <QString>

class QLabel;
class QPushButton;

namespace tolm::ui {

// The About box: the logo, three lines of identification and OK.
class AboutWindow final : public QDialog {
    Q_OBJECT
public:
    explicit AboutWindow(QWidget* owner);

    // The three lines, joined by "\r\n", no line break after the last.
    static QString aboutText();

private:
    QLabel* logo_ = nullptr;
    QLabel* identification_ = nullptr;
    QPushButton* okButton_ = nullptr;
};

} // namespace tolm::ui
