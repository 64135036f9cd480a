#pragma once

#include <QDialog>
#include <QString>

class QLabel;
class QPushButton;

namespace tolm::ui {

// frmAbout: the logo, three lines of identification and OK.
class AboutWindow final : public QDialog {
    Q_OBJECT
public:
    explicit AboutWindow(QWidget* owner);

    // The three lines, joined by "\r\n", no line break after the last.
    static QString aboutText();

private:
    QLabel* Picture1 = nullptr;
    QLabel* Label1 = nullptr;
    QPushButton* Command1 = nullptr;
};

} // namespace tolm::ui
