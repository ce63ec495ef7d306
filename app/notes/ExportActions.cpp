#include "inspector/ReviewPanel.h"
#include "shell/Viewer.h"
#include "tools/ScratchFiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMainWindow>
#include <QPointer>

namespace {

QString nameFilterFor(const QString &extension)
{
    static const QHash<QString, QString> known{
        {QStringLiteral("txt"), QStringLiteral("Text files (*.txt)")},
        {QStringLiteral("json"), QStringLiteral("JSON files (*.json)")},
        {QStringLiteral("srt"), QStringLiteral("SubRip captions (*.srt)")},
        {QStringLiteral("mp4"), QStringLiteral("MPEG-4 movie (*.mp4)")},
        {QStringLiteral("wav"), QStringLiteral("WAV audio (*.wav)")},
    };
    return known.value(extension, QStringLiteral("*.") + extension);
}

} // namespace

void Viewer::chooseExportDestination(const QString &baseName, const QString &extension,
                                     std::function<void(const QString &)> chosen)
{
    if (!window)
        return;
    SaveRequest request;
    request.proposedName = baseName + QLatin1Char('.') + extension;
    request.nameFilter = nameFilterFor(extension);
    request.defaultSuffix = extension;
    QPointer<Viewer> self(this);
    dialogs().chooseSaveFile(window.get(), request,
                             [self, chosen = std::move(chosen)](std::optional<QString> destination) {
                                 if (self && destination && !destination->isEmpty())
                                     chosen(*destination);
                             });
}

void Viewer::writeExport(const QByteArray &bytes, const QString &destination, const QString &successMessage)
{
    bool done = false;
    try {
        const QString scratch = makeScratchDirectory(QFileInfo(destination).absolutePath());
        try {
            const QString staged = QDir(scratch).filePath(QStringLiteral("export"));
            QFile file(staged);
            if (file.open(QIODevice::NewOnly | QIODevice::WriteOnly) && file.write(bytes) == bytes.size()
                && file.flush()) {
                file.close();
                moveWithoutReplacing(staged, destination);
                done = true;
            }
        } catch (...) {
        }
        removeItemQuietly(scratch);
    } catch (...) {
    }
    // The underlying error is not shown: the reviewer's way out is another name.
    inspector->setStatus(done ? successMessage
                              : QStringLiteral("Could not export. Choose a new filename and try again."));
}
