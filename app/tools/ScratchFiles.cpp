#include "tools/ScratchFiles.h"

#include "tools/JobErrors.h"

#include <QDir>
#include <QFile>
#include <QUuid>
#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

QString makeScratchDirectory(const QString &parent)
{
    const QString path = QDir(parent).filePath(QStringLiteral(".ostrivan-") +
                                               QUuid::createUuid().toString(QUuid::WithoutBraces).toUpper());
    if (::mkdir(QFile::encodeName(path).constData(), 0700) != 0)
        throwSystemError(errno);
    return path;
}

void moveWithoutReplacing(const QString &source, const QString &destination)
{
    const QByteArray from = QFile::encodeName(source);
    const QByteArray to = QFile::encodeName(destination);
    int result = ::renameat2(AT_FDCWD, from.constData(), AT_FDCWD, to.constData(), RENAME_NOREPLACE);
    if (result != 0 && errno == EINVAL) {
        // File systems without the flag: a hard link also refuses an existing name.
        result = ::link(from.constData(), to.constData());
        if (result == 0)
            ::unlink(from.constData());
    }
    if (result == 0)
        return;
    if (errno == EEXIST)
        throw ReviewError{QStringLiteral("A file with this name already exists. Choose a new name.")};
    throwSystemError(errno);
}

void removeItemQuietly(const QString &path)
{
    std::error_code ignored;
    std::filesystem::remove_all(std::filesystem::path(QFile::encodeName(path).toStdString()), ignored);
}

ScratchFiles systemScratchFiles()
{
    return {makeScratchDirectory, moveWithoutReplacing, removeItemQuietly};
}
