#pragma once

#include <QObject>
#include <QString>
#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>

#include "state/app_state.h"

class QThread;
class QTimer;
class QWidget;

namespace tolm::ui {

// What a job's worker shares with the window's thread: a stop request the
// worker checks between records, and a count of work done it reports.
class JobProgress {
public:
    bool stopRequested() const { return stop_.load(std::memory_order_relaxed); }
    void requestStop() { stop_.store(true, std::memory_order_relaxed); }
    void report(std::uint64_t done, std::uint64_t total) {
        total_.store(total, std::memory_order_relaxed);
        done_.store(done, std::memory_order_relaxed);
    }
    // A progress callback for the core's long functions: reports, and says
    // whether to go on.
    auto reporter() {
        return [this](std::uint64_t done, std::uint64_t total) {
            report(done, total);
            return !stopRequested();
        };
    }
    std::uint64_t done() const { return done_.load(std::memory_order_relaxed); }
    std::uint64_t total() const { return total_.load(std::memory_order_relaxed); }

private:
    std::atomic<bool> stop_{false};
    std::atomic<std::uint64_t> done_{0};
    std::atomic<std::uint64_t> total_{0};
};

// One piece of long work run on a worker thread, so the window's event loop
// keeps turning. The work must not touch what the window's thread owns: it
// reads its own copies and leaves a result that finished() hands back on the
// window's thread, where it is applied. While it runs, ticked() comes every
// few tens of milliseconds for showing progress.
class BackgroundJob final : public QObject {
    Q_OBJECT
public:
    using Work = std::function<void(JobProgress& progress)>;

    explicit BackgroundJob(QObject* parent = nullptr);
    // Asks a running worker to stop and waits for it: nothing it refers to
    // may go before it has returned.
    ~BackgroundJob() override;

    // Starts `work`; false when a job is running already.
    bool start(Work work);
    bool isRunning() const { return thread_ != nullptr; }
    // Asks the worker to stop at its next check; finished() still follows.
    void cancel();
    bool cancelled() const { return progress_ && progress_->stopRequested(); }
    const JobProgress& progress() const { return *progress_; }

    static constexpr int kTickMs = 40;

Q_SIGNALS:
    void ticked();
    // The worker has returned; its result may be read now.
    void finished();

private:
    void workerEnded();

    QThread* thread_ = nullptr;
    QTimer* ticker_ = nullptr;
    std::shared_ptr<JobProgress> progress_;
};

// Runs `work` while a window-modal progress box with a Cancel button stands
// over `owner` (shown only when the work takes more than a moment), and
// returns once the worker has returned. Cancel, Escape or the end of the
// session ask the worker to stop; it stops between records and keeps what it
// has done. True unless stopped early.
// `stopWhen`, asked on every tick on the window's thread, stops it too.
bool runWithProgress(QWidget* owner, const QString& title, const QString& label,
                     BackgroundJob::Work work, const std::function<bool()>& stopWhen = {});

// runWithProgress for work that reads `state`'s catalogue on the worker.
// Should the catalogue have changed meanwhile, the work runs again on what it
// has become, so its result always fits the catalogue it is applied to; the
// end of the session stops it too. True unless stopped early.
bool runOverCatalogue(QWidget* owner, const QString& title, const QString& label,
                      const AppState& state, const BackgroundJob::Work& work);

} // namespace tolm::ui
