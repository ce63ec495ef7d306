#pragma once

#include "notes/ReviewNote.h"

#include <QByteArray>

// The notes file: one compact JSON array of {"id","time","text"} objects.
QByteArray encodeNotes(const ReviewNotes &notes);

// Strict reading: an array of objects with all three keys (others ignored, any order), "id" a UUID in the
// 8-4-4-4-12 form in either case, "time" an integer that fits 64 bits, "text" a string.
// Throws ReviewError with a description on any other content.
ReviewNotes decodeNotes(const QByteArray &bytes);
