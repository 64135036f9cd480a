#pragma once

#include <QObject>
#include <QString>
#include <QStringList>
#include <chrono>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>

namespace tolm::platform {
class ProgramWatch;
}

namespace tolm::ui {

// Every program start goes through here: an argument vector, never a shell,
// so tests can record it.
class ProgramLauncher {
public:
    virtual ~ProgramLauncher() = default;

    // Starts `program` with `arguments` and does not wait for it. On failure
    // returns false and says why in `error`.
    virtual bool start(const QString& program, const QStringList& arguments, QString* error) = 0;

    // How long a followed program ran, from its start to its end.
    using EndReport = std::function<void(std::chrono::milliseconds ran)>;

    // As start, and follows the program: `ended` is called on the window's
    // thread once it has ended. Not when this program closes first.
    virtual bool startFollowed(const QString& program, const QStringList& arguments, QString* error,
                               EndReport ended) = 0;

    // Shows `directory` in the desktop's file browser and does not report how
    // that went. It is handed over as a directory (with a trailing
    // separator), so a file is never opened in its own application.
    virtual void openDirectory(const QString& directory) = 0;
};

// The real starter: a process of its own session, followed when asked.
class QtProgramLauncher final : public ProgramLauncher {
public:
    QtProgramLauncher();
    ~QtProgramLauncher() override;

    bool start(const QString& program, const QStringList& arguments, QString* error) override;
    bool startFollowed(const QString& program, const QStringList& arguments, QString* error,
                       EndReport ended) override;
    void openDirectory(const QString& directory) override;

private:
    QObject reports_; // lives on the window's thread, where the ends are reported
    // Declared after reports_, so the watches stop before it goes.
    std::map<std::uint64_t, std::unique_ptr<platform::ProgramWatch>> watches_;
    std::uint64_t lastWatch_ = 0;
};

// `directory` ending with exactly the separator it had, or '/' added.
QString asDirectoryPath(const QString& directory);

} // namespace tolm::ui
