#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <optional>

#include <ostream>

// Readable QString values in test failure messages.
inline void PrintTo(const QString &text, std::ostream *os)
{
    *os << '"' << text.toStdString() << '"';
}

namespace testsupport {

// Directories and files of the build and source trees, as CTest passes them.
QString buildDir();
QString sourceDir();

// A file under the shared test assets, or nothing when it is absent (the caller skips).
std::optional<QString> testAsset(const QString &relativePath);

struct ProcessResult {
    int exitCode = -1;
    bool crashed = false;
    QByteArray out;
    QByteArray err;
};

// Runs a program directly (no shell) and waits for it.
ProcessResult runProgram(const QString &program, const QStringList &arguments, int timeoutMs = 120000);

// Runs FFmpeg quietly with the given arguments (after "-y -loglevel error"); true on exit status 0.
bool ffmpeg(const QStringList &arguments);

QByteArray readAll(const QString &path);
bool writeAll(const QString &path, const QByteArray &bytes);

} // namespace testsupport

// Skips the current test with a message when a shared test asset is missing.
#define OV_REQUIRE_ASSET(var, relative)                                                                     \
    const auto var##Found = ::testsupport::testAsset(relative);                                             \
    if (!var##Found)                                                                                        \
        GTEST_SKIP() << "shared test asset " << (relative) << " is absent; skipping";                       \
    const QString var = *var##Found
