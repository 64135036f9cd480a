#pragma once

#include <QString>
#include <cstdio>
#include <optional>

#include "ui/widgets/user_dialogs.h"

namespace tolm::bench {

// Answers for the boxes a benchmarked window might show. None is expected:
// each one shown is counted and printed, and every question is cancelled.
class SilentDialogs final : public ui::UserDialogs {
public:
    int shown = 0;
    Answer message(QWidget*, const QString&, const QString& text, Icon, Buttons) override {
        ++shown;
        std::printf("unexpected box: %s\n", qPrintable(text));
        return Answer::Ok;
    }
    std::optional<QString> inputText(QWidget*, const QString&, const QString&,
                                     const QString&) override {
        return std::nullopt;
    }
    QString openFileName(QWidget*, const QString&, const QString&, const QString&,
                         const QString&) override {
        return {};
    }
    QString existingDirectory(QWidget*, const QString&, const QString&) override { return {}; }
    QString openProgramFileName(QWidget*, const QString&) override { return {}; }
};

} // namespace tolm::bench
