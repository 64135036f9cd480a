#pragma once

#include <QLockFile>
#include <string>
#include <vector>

namespace tolm::ui {

// The lock in the data directory that keeps a second copy of the program off
// the same tolm.dat and tolm.ini, so that neither silently overwrites the
// other's changes at close. Held for as long as the object lives.
class CatalogueLock {
public:
    enum class Outcome {
        Held,          // this copy owns the files
        HeldElsewhere, // another running copy owns them
        Unavailable,   // no lock can be made (a read-only directory): carry on without
    };

    explicit CatalogueLock(const std::string& directory);

    // Takes the lock; one left by a copy that is no longer running is taken
    // over. Once held, the temporary files of saves that never finished are
    // removed (their names are then in removedTemporaryFiles()).
    Outcome acquire();

    const std::vector<std::string>& removedTemporaryFiles() const { return removed_; }

    static constexpr const char* kFileName = "tolm.lock";

private:
    std::string directory_;
    QLockFile lock_;
    std::vector<std::string> removed_;
};

} // namespace tolm::ui
