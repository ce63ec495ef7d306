#pragma once

#include "effects/EffectCommands.h"
#include "tools/RenderJob.h"
#include "tools/ToolLocator.h"

#include <QString>

// Runs one effect's programs in turn on the job's background thread, each with "effect.log" beside the
// output, then checks that the output exists and is not empty. Throws the first failure met.
void renderEffect(MediaEffect effect, const QString &source, const QString &output, qint64 startMs, RenderMode mode,
                  RenderJob &job, const EffectRender &tools);
