#pragma once

#include <QObject>
#include <memory>
#include <string>

#include "platform/drive_kinds.h"

namespace tolm::ui {

// The two questions the paths dialog asks about each listed directory. On a
// network file system that has gone away either may block for minutes.
class DirectoryProbe {
public:
    virtual ~DirectoryProbe() = default;
    // Whether a listing of `directory` finds a plain file.
    virtual bool holdsFiles(const std::string& directory) const = 0;
    virtual platform::DriveKind driveKind(const std::string& directory) const = 0;
};

// Asks the file system.
std::shared_ptr<const DirectoryProbe> systemDirectoryProbe();

// Asks a DirectoryProbe on threads of its own, one per directory, so that a
// blocked answer holds up nothing else; answers arrive on the owner's thread
// as answered(). Destroying it drops the answers still to come and waits for
// none of the threads: a blocked one ends by itself, or with the process.
class BackgroundProbes final : public QObject {
    Q_OBJECT
public:
    explicit BackgroundProbes(std::shared_ptr<const DirectoryProbe> probe,
                              QObject* parent = nullptr);
    ~BackgroundProbes() override;

    // Asks about `directory`; the answer carries `tab`, `fill` and `index`.
    void probe(int tab, quint64 fill, int index, const std::string& directory);

Q_SIGNALS:
    void answered(int tab, quint64 fill, int index, bool holdsFiles, int driveKind);

private:
    struct Mailbox;
    std::shared_ptr<const DirectoryProbe> probe_;
    std::shared_ptr<Mailbox> mailbox_;
};

} // namespace tolm::ui
