#include "ui/config/directory_probe.h"

#include <map>
#include <mutex>
#include <system_error>
#include <thread>
#include <vector>

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
// when it is destroyed, so a late answer finds nobody to post to. A
// directory whose question is still out is not asked again: the new request
// waits for the same answer, so a dead mount ties up one thread per
// directory however often the lists are refilled.
struct BackgroundProbes::Mailbox {
    struct Request {
        int tab;
        quint64 fill;
        int index;
    };
    std::mutex mutex;
    BackgroundProbes* receiver = nullptr;
    std::map<std::string, std::vector<Request>> waiting;
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
    {
        const std::lock_guard<std::mutex> lock(mailbox_->mutex);
        auto [entry, isNew] = mailbox_->waiting.try_emplace(directory);
        entry->second.push_back({tab, fill, index});
        if (!isNew)
            return; // the answer already being worked out will serve this one too
    }
    auto work = [probe = probe_, mailbox = mailbox_, directory] {
        const platform::DriveKind kind = probe->driveKind(directory);
        const bool holds = probe->holdsFiles(directory);
        const std::lock_guard<std::mutex> lock(mailbox->mutex);
        const auto found = mailbox->waiting.find(directory);
        std::vector<Mailbox::Request> requests;
        if (found != mailbox->waiting.end()) {
            requests = std::move(found->second);
            mailbox->waiting.erase(found);
        }
        BackgroundProbes* receiver = mailbox->receiver;
        if (receiver == nullptr)
            return;
        // Queued: runs on the receiver's thread, and not at all once it is gone.
        QMetaObject::invokeMethod(
            receiver,
            [receiver, requests, holds, kind] {
                for (const Mailbox::Request& r : requests)
                    Q_EMIT receiver->answered(r.tab, r.fill, r.index, holds,
                                              static_cast<int>(kind));
            },
            Qt::QueuedConnection);
    };
    try {
        std::thread(std::move(work)).detach();
    } catch (const std::system_error&) {
        // No thread to be had: the directory keeps its "unknown" icon.
        const std::lock_guard<std::mutex> lock(mailbox_->mutex);
        mailbox_->waiting.erase(directory);
    }
}

} // namespace tolm::ui
