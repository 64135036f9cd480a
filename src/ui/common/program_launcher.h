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
};

// The real starter: a detached process.
class QtProgramLauncher final : public ProgramLauncher {
public:
    bool start(const QString& program, const QStringList& arguments, QString* error) override;
};

} // namespace tolm::ui
