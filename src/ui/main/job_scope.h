#pragma once

#include "ui/main/main_window.h"

namespace tolm::ui {

// A command's background work, from its start until its result is applied:
// the end of the session waits for it, so that what was done is saved.
class JobScope {
public:
    explicit JobScope(MainWindow& window) : window_(window) { ++window_.jobsRunning_; }
    ~JobScope() {
        if (--window_.jobsRunning_ == 0)
            Q_EMIT window_.jobsFinished();
    }
    JobScope(const JobScope&) = delete;
    JobScope& operator=(const JobScope&) = delete;

private:
    MainWindow& window_;
};

} // namespace tolm::ui
