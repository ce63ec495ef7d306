#pragma once

#include "notes/ReviewNote.h"

#include <QString>

// Keeps each media file's notes in a JSON file of its own under `root`.
struct ReviewStore {
    QString root;
};
