#pragma once

#include <QString>

// White space here is every code point Qt counts as space: Unicode White_Space and the line breaks.

// The text without white space at either end.
QString trimNoteText(const QString &text);
// Runs of white space folded to one space, none at either end: a note on one line.
QString foldOntoOneLine(const QString &text);
