#pragma once

#include <QString>

namespace tolm::ui {

// `widget` given the object name that tests and accessibility tools find it by.
template <typename Widget> Widget* named(Widget* widget, const char* name) {
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

} // namespace tolm::ui
