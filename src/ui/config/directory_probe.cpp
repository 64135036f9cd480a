#include "ui/config/directory_probe.h"

#include <mutex>
#include <system_error>
#include <thread>

#include "platform/files.h"

namespace tolm::ui {
namespace {

class SystemDirectoryProbe final : public DirectoryProbe {
public:
    bool holdsFiles(const std::string& directory) const override {
        return platform::fileExists(directory);
    }
    platform::DriveKind driveKind(const std::string& directory) const override {
        return platform::driveKind(directory);
    }
};

} // namespace

std::shared_ptr<const DirectoryProbe> systemDirectoryProbe() {
    return std::make_shared<SystemDirectoryProbe>();
}

// Where a worker leaves its answer: the receiver is cleared, under the lock,
// when it is destroyed, so a late answer finds nobody to post to.
struct BackgroundProbes::Mailbox {
    std::mutex mutex;
    BackgroundProbes* receiver = nullptr;
};

BackgroundProbes::BackgroundProbes(std::shared_ptr<const DirectoryProbe> probe, QObject* parent)
    : QObject(parent), probe_(std::move(probe)), mailbox_(std::make_shared<Mailbox>()) {
    mailbox_->receiver = this;
}

BackgroundProbes::~BackgroundProbes() {
    const std::lock_guard<std::mutex> lock(mailbox_->mutex);
    mailbox_->receiver = nullptr;
}

void BackgroundProbes::probe(int tab, quint64 fill, int index, const std::string& directory) {
    auto work = [probe = probe_, mailbox = mailbox_, tab, fill, index, directory] {
        const platform::DriveKind kind = probe->driveKind(directory);
        const bool holds = probe->holdsFiles(directory);
        const std::lock_guard<std::mutex> lock(mailbox->mutex);
        BackgroundProbes* receiver = mailbox->receiver;
        if (receiver == nullptr)
            return;
        // Queued: runs on the receiver's thread, and not at all once it is gone.
        QMetaObject::invokeMethod(
            receiver,
            [receiver, tab, fill, index, holds, kind] {
                Q_EMIT receiver->answered(tab, fill, index, holds, static_cast<int>(kind));
            },
            Qt::QueuedConnection);
    };
    try {
        std::thread(std::move(work)).detach();
    } catch (const std::system_error&) {
        // No thread to be had: the directory keeps its "unknown" icon.
    }
}

} // namespace tolm::ui
