#pragma once

#include "tools/JobErrors.h"
#include "tools/RenderJob.h"

#include <QString>
#include <QStringList>

// Runs one program to completion on the calling (background) thread: no shell, standard output discarded,
// standard error into `log` (emptied first). Returns on exit status 0; otherwise throws CancellationError
// when the job was cancelled, ReviewError with the log's last non-empty line (or the fallback text) when the
// program failed, or std::system_error when the log or the program could not be used. Never call it on the
// main thread: it blocks until the child exits.
void runTool(const QString &executable, const QStringList &arguments, const QString &log, RenderJob &job);

// Asks the job's running child, if any, to terminate and marks the job cancelled. Safe from any thread.
void cancelRenderJob(RenderJob &job);
