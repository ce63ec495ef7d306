#include "shell/Viewer.h"

#include "shell/Player.h"

#include <cstdio>
#include <cstdlib>

void Viewer::checkSmokeFrame(int state, qint64 time, int videoOutputs)
{
    if (smokeURL && state == PlayerState::Playing && time >= 101 && videoOutputs != 0)
        ++smokeFrames;
}

void Viewer::checkSmokeVerdict()
{
    if (!smokeURL)
        return;
    ++smokeTicks;
    if (smokeFrames < 3 && smokeTicks < 35)
        return;
    stopAndDetach();
    const bool passed = smokeFrames >= 3;
    const QString line = passed ? QStringLiteral("LibVLC video playback passed")
                                : QStringLiteral("LibVLC video playback timed out");
    const int status = passed ? 0 : 1;
    if (endSmokeTest) {
        endSmokeTest(line, status);
        return;
    }
    std::fputs(qPrintable(line + QLatin1Char('\n')), stdout);
    std::fflush(stdout);
    std::_Exit(status); // at once: the ordinary termination clean-up does not run
}
