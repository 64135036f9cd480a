#include "ui/main/catalogue_lock.h"

#include "platform/files.h"
#include "platform/temporary_names.h"
#include "ui/widgets/qt_text.h"

namespace tolm::ui {

CatalogueLock::CatalogueLock(const std::string& directory)
    : directory_(directory), lock_(toQt(directory + platform::kPathSeparator + kFileName)) {
    // Never stale by age: a copy may run for weeks. Only a lock whose process
    // is gone counts as stale, which QLockFile checks by itself.
    lock_.setStaleLockTime(0);
}

CatalogueLock::Outcome CatalogueLock::acquire() {
    if (!lock_.tryLock(0)) {
        return lock_.error() == QLockFile::LockFailedError ? Outcome::HeldElsewhere
                                                           : Outcome::Unavailable;
    }
    removed_ = platform::removeStaleTemporaryFiles(directory_, {"tolm.dat", "tolm.ini"});
    return Outcome::Held;
}

} // namespace tolm::ui
