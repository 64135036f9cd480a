#pragma once

#include <QString>

namespace tolm::ui {

// One file-name pattern as Qt's file dialog matches it on any file system:
// every letter as a set of both cases ("*.Z80" gives "*.[zZ]80"), and "*.*"
// as "*" so that names without a "." match, as they do on Windows.
QString caseInsensitivePattern(const QString& pattern);

} // namespace tolm::ui
