#include "ui/widgets/background_job.h"

#include "catalogue/catalogue_ops.h"

#include <QEventLoop>
#include <QProgressDialog>
#include <QThread>
#include <QTimer>
#include <algorithm>

namespace tolm::ui {
namespace {

// Work over in less than this shows no progress box at all.
constexpr int kProgressBoxDelayMs = 300;
constexpr int kProgressSteps = 1000;

} // namespace

BackgroundJob::BackgroundJob(QObject* parent) : QObject(parent) {
    ticker_ = new QTimer(this);
    ticker_->setInterval(kTickMs);
    connect(ticker_, &QTimer::timeout, this, &BackgroundJob::ticked);
}

BackgroundJob::~BackgroundJob() {
    if (thread_ != nullptr) {
        progress_->requestStop();
        thread_->wait();
        delete thread_;
    }
}

bool BackgroundJob::start(Work work) {
    if (thread_ != nullptr)
        return false;
    progress_ = std::make_shared<JobProgress>();
    // The worker holds its own share of the progress: it may outlive a
    // cancelled wait by a record or two.
    thread_ = QThread::create([work = std::move(work), progress = progress_] { work(*progress); });
    // QThread::finished comes from the worker; queued, it arrives here.
    connect(thread_, &QThread::finished, this, &BackgroundJob::workerEnded, Qt::QueuedConnection);
    ticker_->start();
    thread_->start();
    return true;
}

void BackgroundJob::cancel() {
    if (progress_)
        progress_->requestStop();
}

void BackgroundJob::workerEnded() {
    if (thread_ == nullptr)
        return;
    thread_->wait(); // returned already; this only makes its writes ours
    delete thread_;
    thread_ = nullptr;
    ticker_->stop();
    Q_EMIT ticked(); // the last figures
    Q_EMIT finished();
}

bool runWithProgress(QWidget* owner, const QString& title, const QString& label,
                     BackgroundJob::Work work, const std::function<bool()>& stopWhen) {
    BackgroundJob job;
    QProgressDialog box(label, QStringLiteral("Cancel"), 0, kProgressSteps, owner);
    box.setObjectName(QStringLiteral("jobProgress"));
    box.setWindowTitle(title);
    box.setWindowModality(Qt::WindowModal);
    box.setAutoClose(false);
    box.setAutoReset(false);
    box.reset(); // it would show itself on a timer of its own; it is shown below, when needed
    QObject::connect(&box, &QProgressDialog::canceled, &job, &BackgroundJob::cancel);
    QObject::connect(&box, &QDialog::rejected, &job, &BackgroundJob::cancel);

    QEventLoop loop;
    QObject::connect(&job, &BackgroundJob::ticked, &box, [&] {
        if (stopWhen && stopWhen())
            job.cancel();
        const std::uint64_t total = job.progress().total();
        if (total > 0 && box.isVisible())
            box.setValue(
                static_cast<int>(std::min(job.progress().done(), total) * kProgressSteps / total));
    });
    QObject::connect(&job, &BackgroundJob::finished, &loop, &QEventLoop::quit);
    job.start(std::move(work));

    // A short job holds the user's clicks and keys back until it is over, so
    // nothing can start meanwhile; a longer one puts up the box, modal.
    QTimer boxDelay;
    boxDelay.setSingleShot(true);
    QObject::connect(&boxDelay, &QTimer::timeout, &loop, &QEventLoop::quit);
    boxDelay.start(kProgressBoxDelayMs);
    loop.exec(QEventLoop::ExcludeUserInputEvents);
    if (job.isRunning()) {
        box.setValue(0);
        box.show();
        loop.exec();
    }
    box.hide();
    return !job.cancelled();
}

bool runOverCatalogue(QWidget* owner, const QString& title, const QString& label,
                      const AppState& state, const BackgroundJob::Work& work) {
    for (;;) {
        const std::uint64_t read = catalogueFingerprint(state.catalogue);
        if (!runWithProgress(owner, title, label, work, [&state] { return state.sessionEnding; }))
            return false;
        if (catalogueFingerprint(state.catalogue) == read)
            return true;
    }
}

} // namespace tolm::ui
