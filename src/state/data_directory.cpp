#include "state/data_directory.h"

#include "platform/directories.h"
#include "platform/files.h"

namespace tolm {

DataDirectory chooseDataDirectory(const std::string& programDirectory,
                                  const std::string& perUserDirectory,
                                  const std::optional<std::string>& requested) {
    if (requested && !requested->empty())
        return {*requested, DataDirectory::Reason::CommandLine};
    const std::string beside = programDirectory + platform::kPathSeparator;
    if (platform::fileExists(beside + "tolm.dat") || platform::fileExists(beside + "tolm.ini") ||
        platform::isWritableDirectory(programDirectory))
        return {programDirectory, DataDirectory::Reason::BesideProgram};
    return {perUserDirectory, DataDirectory::Reason::PerUser};
}

std::string describeDataDirectory(const DataDirectory& directory) {
    switch (directory.reason) {
    case DataDirectory::Reason::CommandLine:
        return directory.path + " (from --data-dir)";
    case DataDirectory::Reason::BesideProgram:
        return directory.path + " (beside the program)";
    case DataDirectory::Reason::PerUser:
        return directory.path + " (per user: the program's directory is not writable)";
    }
    return directory.path;
}

} // namespace tolm
