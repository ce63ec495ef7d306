#include "tools/ToolFinder.h"

#include "tools/ResourceDirectory.h"

#include <QDir>
#include <QFile>
#include <sys/stat.h>
#include <unistd.h>

bool isExecutableFile(const QString &path)
{
    const QByteArray native = QFile::encodeName(path);
    struct stat info = {};
    return ::stat(native.constData(), &info) == 0 && S_ISREG(info.st_mode) && ::access(native.constData(), X_OK) == 0;
}

bool pathExists(const QString &path)
{
    struct stat info = {};
    return ::lstat(QFile::encodeName(path).constData(), &info) == 0;
}

std::optional<QString> findFFmpeg()
{
    std::optional<QString> variable;
    if (qEnvironmentVariableIsSet("OSTRIVAN_FFMPEG"))
        variable = qEnvironmentVariable("OSTRIVAN_FFMPEG");
    return firstAcceptedTool(ffmpegCandidates(variable, QDir::homePath()), isExecutableFile);
}

ToolLookup<EffectRender> findEffectRender()
{
    return effectRenderFrom(findFFmpeg(), resourceDirectory());
}

ToolLookup<SpeechEngine> findSpeechEngine()
{
    return speechEngineFrom(findFFmpeg(), resourceDirectory(), isExecutableFile, pathExists);
}
