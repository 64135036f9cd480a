#pragma once

#include <QDialog>
#include <QPixmap>
#include <QSize>

#include "ui/widgets/arrow_pictures.h"

namespace tolm::ui {

// The full-size view of one screenshot: a borderless window
// kept out of the task bar, centred over its owner, with the picture
// stretched over all of it. A click on the picture closes it.
class ShowBigWindow final : public QDialog {
public:
    static constexpr QSize kPictureSize{512, 384};

    ShowBigWindow(const QPixmap& picture, QWidget* owner);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    PictureBox* picture_ = nullptr;
};

} // namespace tolm::ui
