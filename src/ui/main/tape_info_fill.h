#pragma once

#include <QObject>
#include <deque>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "state/archive_fill.h"
#include "ui/widgets/background_job.h"

namespace tolm::screens {
class GameFileScreenReader;
}

namespace tolm::ui {

// The quiet follow-up of an add of files: the new games' tapes are read for
// their archive info on a worker, one add after another, while the user goes
// on. The worker touches only its own copies; what it read waits in this
// object until the window takes it (see state/archive_fill.h for how it is
// applied). Destroying it stops the worker at its next file.
class TapeInfoFill final : public QObject {
    Q_OBJECT
public:
    struct Result {
        std::vector<AddedGame> games;
        std::vector<std::optional<screens::ArchiveInfo>> infos;
    };

    explicit TapeInfoFill(QObject* parent = nullptr);
    ~TapeInfoFill() override;

    // Reads the tapes of `games`, looked up over `romPaths`, after any read
    // already under way.
    void read(std::vector<AddedGame> games, std::vector<std::string> romPaths);
    // What was read so far, handed over once.
    std::vector<Result> takeResults();
    // True while games wait to be read or results to be taken.
    bool busy() const;

Q_SIGNALS:
    // A read finished: takeResults() has something.
    void resultsReady();

private:
    struct Request {
        std::vector<AddedGame> games;
        std::vector<std::string> romPaths;
    };
    void startNext();
    void workerDone();

    BackgroundJob* job_;
    std::shared_ptr<screens::GameFileScreenReader> reader_; // made at the first read
    std::deque<Request> waiting_;
    std::shared_ptr<Result> running_; // the worker writes its infos
    std::vector<Result> results_;
};

} // namespace tolm::ui
