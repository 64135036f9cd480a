#include "ui/main/tape_info_fill.h"

#include <utility>

#include "screens/game_file_screen.h"

namespace tolm::ui {

TapeInfoFill::TapeInfoFill(QObject* parent) : QObject(parent), job_(new BackgroundJob(this)) {
    connect(job_, &BackgroundJob::finished, this, &TapeInfoFill::workerDone);
}

TapeInfoFill::~TapeInfoFill() {
    job_->cancel(); // the job's own end waits for the worker
}

void TapeInfoFill::read(std::vector<AddedGame> games, std::vector<std::string> romPaths) {
    if (games.empty())
        return;
    waiting_.push_back({std::move(games), std::move(romPaths)});
    startNext();
}

std::vector<TapeInfoFill::Result> TapeInfoFill::takeResults() {
    return std::exchange(results_, {});
}

bool TapeInfoFill::busy() const {
    return running_ != nullptr || !waiting_.empty() || !results_.empty();
}

void TapeInfoFill::startNext() {
    if (running_ || waiting_.empty())
        return;
    if (!reader_)
        reader_ = std::make_shared<screens::GameFileScreenReader>();
    Request request = std::move(waiting_.front());
    waiting_.pop_front();
    running_ = std::make_shared<Result>();
    running_->games = std::move(request.games);
    job_->start([result = running_, reader = reader_,
                 romPaths = std::move(request.romPaths)](JobProgress& progress) {
        result->infos = readArchiveInfos(result->games, romPaths, *reader,
                                         [&progress] { return progress.stopRequested(); });
    });
}

void TapeInfoFill::workerDone() {
    if (!running_)
        return;
    results_.push_back(std::move(*running_));
    running_.reset();
    startNext();
    Q_EMIT resultsReady();
}

} // namespace tolm::ui
