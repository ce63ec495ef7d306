#include "shell/AboutText.h"

QString aboutText(const char *libvlcVersion)
{
    const QString version = libvlcVersion && *libvlcVersion ? QString::fromUtf8(libvlcVersion) : QStringLiteral("3");
    return QStringLiteral("Ostrivan development preview. Playback uses LibVLC ") + version
           + QStringLiteral(" by VideoLAN. Effects use FFmpeg and Xiph RNNoise. Speech analysis uses whisper.cpp "
                            "and Whisper model weights. See the notices included with this build.");
}
