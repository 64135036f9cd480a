#pragma once

#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

class QCoreApplication;

namespace tolm::ui {

// What the command line asks for beyond --help and --version.
struct CommandLine {
    std::optional<QString> dataDirectory; // --data-dir
    QStringList files;                    // added as games, as if dropped on the list
};

// Parses the program's arguments. --help (which names the data directory in
// use, as `describe` words it for the --data-dir given, if any) and
// --version print and end the program, as does an unknown option.
CommandLine parseCommandLine(const QCoreApplication& app,
                             const std::function<QString(const std::optional<QString>&)>& describe);

} // namespace tolm::ui
