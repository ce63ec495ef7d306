#include "shell/Viewer.h"

#include "inspector/ReviewPanel.h"
#include "shell/Player.h"
#include "tools/ScratchFiles.h"

#include <QFileInfo>

ScratchFiles Viewer::scratchFiles() const
{
    return systemScratchFiles();
}

void Viewer::startFileJob(const QString &extension, const std::optional<QString> &destination, qint64 start,
                          const QString &status, FileRender render)
{
    // Everything the work needs is captured here, on the main thread.
    auto output = std::make_shared<QString>();
    startJob(
        status,
        [output, extension, destination, render = std::move(render), files = scratchFiles()](RenderJob &running) {
            *output = renderFile(running, extension, destination, render, files);
        },
        [this, output, destination, start] { finishFileJob(*output, destination, start); });
}

void Viewer::finishFileJob(const QString &output, const std::optional<QString> &destination, qint64 start)
{
    if (destination) {
        inspector->setStatus(QStringLiteral("Export complete."));
        return;
    }
    std::optional<QString> previousDirectory;
    if (preview)
        previousDirectory = QFileInfo(preview->url).absolutePath();
    preview = PreviewShown{output, start};
    const QString title = QStringLiteral("Preview • ") + (currentURL ? QFileInfo(*currentURL).fileName() : QString());
    if (player)
        startMedia(output, title, std::nullopt);
    // Only once the newer preview is loaded does the older one's directory go.
    if (previousDirectory)
        scratchFiles().removeItemQuietly(*previousDirectory);
    inspector->setStatus(QStringLiteral("Playing the rendered preview."));
}
