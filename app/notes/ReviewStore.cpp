#include "notes/ReviewStore.h"

#include "notes/NotesCodec.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <memory>
#include <sys/stat.h>
#include <system_error>

namespace {

[[noreturn]] void throwErrno(int error)
{
    throw std::system_error(error ? error : EIO, std::system_category());
}

// Creates `path` and any missing parents, each new one with mode 0700; existing ones are left alone.
void makeOwnerOnlyPath(const QByteArray &path)
{
    struct stat st{};
    if (::stat(path.constData(), &st) == 0) {
        if (!S_ISDIR(st.st_mode))
            throwErrno(ENOTDIR);
        return;
    }
    const int slash = path.lastIndexOf('/');
    if (slash > 0)
        makeOwnerOnlyPath(path.left(slash));
    if (::mkdir(path.constData(), 0700) != 0 && errno != EEXIST)
        throwErrno(errno);
}

// A save killed half-way leaves its temporary file ("<name>.XXXXXX") behind; the next save of the same notes
// file clears it, so leftovers never pile up.
void removeStaleTemporaries(const QString &target)
{
    const QFileInfo info(target);
    QDir dir = info.dir();
    const QStringList stale =
        dir.entryList({info.fileName() + QStringLiteral(".??????")}, QDir::Files | QDir::Hidden | QDir::System);
    for (const QString &name : stale)
        dir.remove(name);
}

} // namespace

QByteArray canonicalMediaPath(const QString &media)
{
    const QByteArray absolute = QFile::encodeName(QDir::isAbsolutePath(media) ? media : QDir::current().absoluteFilePath(media));
    std::unique_ptr<char, decltype(&std::free)> resolved(::realpath(absolute.constData(), nullptr), &std::free);
    if (resolved)
        return QByteArray(resolved.get());
    // A file that is gone still has a name: tidy it without touching the disk.
    return QFile::encodeName(QDir::cleanPath(QFile::decodeName(absolute)));
}

QString ReviewStore::noteFile(const QString &media) const
{
    const QByteArray digest = QCryptographicHash::hash(canonicalMediaPath(media), QCryptographicHash::Sha256);
    return QDir(root).filePath(QString::fromLatin1(digest.toHex()) + QStringLiteral(".json"));
}

ReviewNotes ReviewStore::load(const QString &media) const
{
    QFile file(noteFile(media));
    struct stat st{};
    if (::stat(QFile::encodeName(file.fileName()).constData(), &st) != 0) {
        if (errno == ENOENT)
            return {};
        throwErrno(errno);
    }
    if (S_ISDIR(st.st_mode))
        throwErrno(EISDIR);
    if (!file.open(QIODevice::ReadOnly))
        throwErrno(errno);
    QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        throwErrno(errno);
    ReviewNotes notes = decodeNotes(bytes);
    for (const ReviewNote &note : notes) {
        if (note.time < 0 || note.time > maxNoteTime)
            throw ReviewError{QStringLiteral("A saved note has an invalid time.")};
    }
    sortNotes(notes);
    return notes;
}

void ReviewStore::save(const ReviewNotes &notes, const QString &media) const
{
    makeOwnerOnlyPath(QFile::encodeName(QDir::cleanPath(root)));
    const QByteArray bytes = encodeNotes(notes);
    const QString target = noteFile(media);
    removeStaleTemporaries(target);
    // Temporary file beside the target, renamed over it: readers see the old file or the new one.
    QSaveFile file(target);
    if (!file.open(QIODevice::WriteOnly))
        throwErrno(errno);
    if (file.write(bytes) != bytes.size()) {
        const int error = errno;
        file.cancelWriting();
        throwErrno(error);
    }
    if (!file.commit())
        throwErrno(errno);
}
