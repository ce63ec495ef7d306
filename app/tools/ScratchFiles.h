#pragma once

#include "tools/FileJob.h"

#include <QString>

// The file operations of rendered file jobs. Any thread; no state.

// Makes parent/".ostrivan-<UUID>" with owner-only permissions (no missing parents); throws std::system_error.
QString makeScratchDirectory(const QString &parent);
// Renames in one step that refuses an existing destination; throws ReviewError when it exists, otherwise
// std::system_error. No copying fallback.
void moveWithoutReplacing(const QString &source, const QString &destination);
// Deletes a file or a whole tree (symbolic links are removed, not followed); errors are ignored.
void removeItemQuietly(const QString &path);

// The three above, for renderFile.
ScratchFiles systemScratchFiles();
