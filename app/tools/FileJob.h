#pragma once

#include "tools/RenderJob.h"

#include <QString>
#include <functional>
#include <optional>

// Writes the complete output file at the given location, or throws.
using FileRender = std::function<void(const QString &output, RenderJob &job)>;

// The file operations a file job relies on; the export destinations code provides them.
struct ScratchFiles {
    // Makes a private scratch directory in `parent` and returns its path, or throws.
    std::function<QString(const QString &parent)> makeScratchDirectory;
    // Moves `from` to `to`, refusing to replace an existing file, or throws.
    std::function<void(const QString &from, const QString &to)> moveWithoutReplacing;
    // Removes a file or directory tree, ignoring errors.
    std::function<void(const QString &path)> removeItemQuietly;
};

// The work of a rendered file job, on the job's background thread. Renders into a fresh scratch directory
// ("preview.<extension>") made in the destination's folder for an export or in the temporary directory for
// a preview. A preview keeps its directory and returns the rendered file; an export moves the file to
// `destination` without replacing anything and returns the destination. A failed or cancelled job leaves
// no scratch directory behind.
QString renderFile(RenderJob &job, const QString &extension, const std::optional<QString> &destination,
                   const FileRender &render, const ScratchFiles &files);
