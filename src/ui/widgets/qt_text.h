#pragma once

#include <QString>
#include <string>
#include <string_view>

namespace tolm::ui {

// The core keeps UTF-8; Qt keeps UTF-16.
inline QString toQt(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

inline std::string toStd(const QString& text) {
    return text.toStdString();
}

} // namespace tolm::ui
