#include "shell/DroppedFile.h"

#include <QFileInfo>

std::optional<QString> droppedFile(const QList<QUrl> &urls)
{
    if (urls.size() != 1 || !urls.first().isLocalFile())
        return std::nullopt;
    const QFileInfo info(urls.first().toLocalFile());
    if (!info.isFile())
        return std::nullopt;
    return info.absoluteFilePath();
}
