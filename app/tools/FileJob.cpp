#include "tools/FileJob.h"

#include "tools/JobErrors.h"

#include <QDir>
#include <QFileInfo>
#include <mutex>

namespace {
// Removes the scratch directory when the job leaves by any path except a kept preview.
class ScratchGuard {
public:
    ScratchGuard(const ScratchFiles &files, QString directory) : files(files), directory(std::move(directory)) {}
    ScratchGuard(const ScratchGuard &) = delete;
    ScratchGuard &operator=(const ScratchGuard &) = delete;
    ~ScratchGuard()
    {
        if (!kept)
            files.removeItemQuietly(directory);
    }
    void keep() { kept = true; }

private:
    const ScratchFiles &files;
    QString directory;
    bool kept = false;
};
} // namespace

QString renderFile(RenderJob &job, const QString &extension, const std::optional<QString> &destination,
                   const FileRender &render, const ScratchFiles &files)
{
    // An export renders beside its destination so that the final move stays on one volume.
    const QString parent = destination ? QFileInfo(*destination).absolutePath() : QDir::tempPath();
    const QString scratch = files.makeScratchDirectory(parent);
    ScratchGuard guard(files, scratch);
    const QString output = QDir(scratch).filePath(QStringLiteral("preview.") + extension);

    render(output, job);
    {
        std::lock_guard lock(job.lock);
        if (job.cancelled)
            throw CancellationError{};
    }
    if (!destination) {
        guard.keep();
        return output;
    }
    files.moveWithoutReplacing(output, *destination);
    return *destination;
}
