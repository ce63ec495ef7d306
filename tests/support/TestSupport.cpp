#include "support/TestSupport.h"

#include <QFile>
#include <QFileInfo>
#include <QProcess>

namespace testsupport {

QString buildDir() { return qEnvironmentVariable("OSTRIVAN_BUILD_DIR"); }
QString sourceDir() { return qEnvironmentVariable("OSTRIVAN_SOURCE_DIR"); }

std::optional<QString> testAsset(const QString &relativePath)
{
    const QString root = qEnvironmentVariable("OSTRIVAN_TEST_ASSETS");
    if (root.isEmpty())
        return std::nullopt;
    const QString path = root + QLatin1Char('/') + relativePath;
    if (!QFileInfo(path).isFile())
        return std::nullopt;
    return path;
}

ProcessResult runProgram(const QString &program, const QStringList &arguments, int timeoutMs)
{
    ProcessResult result;
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForStarted(timeoutMs))
        return result;
    process.closeWriteChannel();
    if (!process.waitForFinished(timeoutMs)) {
        process.kill();
        process.waitForFinished();
        result.crashed = true;
    }
    result.out = process.readAllStandardOutput();
    result.err = process.readAllStandardError();
    result.crashed = result.crashed || process.exitStatus() == QProcess::CrashExit;
    result.exitCode = process.exitCode();
    return result;
}

bool ffmpeg(const QStringList &arguments)
{
    const ProcessResult r = runProgram(QStringLiteral("ffmpeg"),
                                       QStringList{"-nostdin", "-y", "-loglevel", "error"} + arguments);
    return !r.crashed && r.exitCode == 0;
}

QByteArray readAll(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return f.readAll();
}

bool writeAll(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(bytes) == bytes.size();
}

} // namespace testsupport
