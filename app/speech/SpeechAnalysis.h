#pragma once

#include "speech/SpeechResult.h"
#include "tools/FileJob.h"
#include "tools/RenderJob.h"
#include "tools/ToolLocator.h"

#include <QString>
#include <QtGlobal>

// One speech analysis, on the job's background thread: FFmpeg extracts the first audio stream, the recogniser
// writes a JSON transcript and SRT captions, the transcript becomes suggested clips and the SRT bytes the
// captions. Everything happens in a private scratch directory under the temporary directory, which is gone
// afterwards whatever the outcome. `duration` below 1 means unknown. Throws what runTool throws, ReviewError
// for an undecodable transcript or empty captions, and std::system_error for unreadable files.
SpeechResult analyze(const SpeechEngine &engine, const QString &media, const QString &language, qint64 duration,
                     RenderJob &job, const ScratchFiles &files);

// Renders the excerpt start..end (ms) of `media` as an MP4 file at `output`, FFmpeg's error output going to
// "clip.log" beside it. Throws what runTool throws.
void renderClip(const SpeechEngine &engine, qint64 start, qint64 end, const QString &media, const QString &output,
                RenderJob &job);
