#pragma once

#include <QString>
#include <QStringList>

namespace tolm::ui {

// Every program start goes through here: an argument vector, never a shell,
// so tests can record it.
class ProgramLauncher {
public:
    virtual ~ProgramLauncher() = default;

    // Starts `program` with `arguments` and does not wait for it. On failure
    // returns false and says why in `error`.
    virtual bool start(const QString& program, const QStringList& arguments, QString* error) = 0;

    // Shows `directory` in the desktop's file browser and does not report how
    // that went. It is handed over as a directory (with a trailing
    // separator), so a file is never opened in its own application.
    virtual void openDirectory(const QString& directory) = 0;
};

// The real starter: a detached process.
class QtProgramLauncher final : public ProgramLauncher {
public:
    bool start(const QString& program, const QStringList& arguments, QString* error) override;
    void openDirectory(const QString& directory) override;
};

// `directory` ending with exactly the separator it had, or '/' added.
QString asDirectoryPath(const QString& directory);

} // namespace tolm::ui
