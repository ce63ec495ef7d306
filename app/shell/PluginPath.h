#pragma once

#include <QString>
#include <optional>

// The libVLC plug-in directory named by the package's Info.ini (section-less key=value) in `resourceDirectory`,
// or nothing when the file or the key is absent or the value is not a single string.
std::optional<QString> vlcPluginEntry(const QString &resourceDirectory);
