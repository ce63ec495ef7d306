#include "effects/RenderEffect.h"

#include "tools/ProcessRunner.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <sys/stat.h>

namespace {
const QString noMediaInRangeMessage = QStringLiteral("There is no media in the selected range.");
}

void renderEffect(MediaEffect effect, const QString &source, const QString &output, qint64 startMs, RenderMode mode,
                  RenderJob &job, const EffectRender &tools)
{
    if (effectRenderPath(effect) == RenderPath::denoise && !tools.denoiser)
        throw ReviewError{QStringLiteral("The RNNoise helper is missing. Reinstall this preview.")};
    const QString log = QFileInfo(output).dir().filePath(QStringLiteral("effect.log"));
    for (const RenderStep &step : effectRenderSteps(effect, source, output, startMs, mode, tools.demuxers)) {
        if (step.program == RenderProgram::denoiser) {
            // FFmpeg decodes a range past the end to nothing and exits 0; wrapping that would give a WAV
            // header with no sound in it, which the size check below cannot tell from a real result.
            struct stat decoded = {};
            if (::stat(QFile::encodeName(step.arguments.value(0)).constData(), &decoded) == 0 && decoded.st_size == 0)
                throw ReviewError{noMediaInRangeMessage};
        }
        const QString program = step.program == RenderProgram::ffmpeg ? tools.ffmpeg : *tools.denoiser;
        runTool(program, step.arguments, log, job);
    }
    struct stat info = {};
    if (::stat(QFile::encodeName(output).constData(), &info) != 0)
        throwSystemError(errno);
    if (info.st_size <= 0)
        throw ReviewError{noMediaInRangeMessage};
}
