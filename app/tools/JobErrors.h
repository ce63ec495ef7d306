#pragma once

#include "notes/ReviewNote.h"

#include <QString>
#include <exception>

// Thrown by job work that stops because the job was cancelled.
struct CancellationError {};

// How a job's work failed, as the status line shows it.
struct JobFailure {
    bool cancelled = false;
    QString message; // empty when cancelled
};

// Maps a caught failure to its text: CancellationError, ReviewError (its message), std::system_error (the
// platform's description) and anything else derived from std::exception.
JobFailure describeFailure(std::exception_ptr failure);

// Throws std::system_error for the current errno.
[[noreturn]] void throwSystemError(int error);
