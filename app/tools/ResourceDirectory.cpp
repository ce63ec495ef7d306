#include "tools/ResourceDirectory.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

std::optional<QString> resourceDirectoryFor(const QString &executableDirectory)
{
    const QString path = QDir::cleanPath(executableDirectory + QStringLiteral("/../share/ostrivan-media-viewer"));
    if (!QFileInfo(path).isDir())
        return std::nullopt;
    return path;
}

std::optional<QString> resourceDirectory()
{
    return resourceDirectoryFor(QCoreApplication::applicationDirPath());
}
