#pragma once

#include <QString>
#include <optional>

// The application's read-only files live in <executable dir>/../share/ostrivan-media-viewer, both in the
// build tree and in an installed prefix. Nothing when that directory does not exist.
std::optional<QString> resourceDirectoryFor(const QString &executableDirectory);

// The same for the running application (needs a QCoreApplication).
std::optional<QString> resourceDirectory();
