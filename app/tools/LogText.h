#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

// The most a failure text is read from the end of a log.
inline constexpr qint64 logWindowBytes = 4096;

// The fallback failure text when a program wrote nothing to its error output.
inline const QString noFailureTextMessage = QStringLiteral("The effect engine could not process this file.");

// The last non-empty line of a log's final bytes, decoded as UTF-8 with invalid sequences (such as a
// character cut at the window's start) replaced by U+FFFD. Lines end at LF, VT, FF, CR, CR LF, NEL, LS
// and PS; lines are not trimmed.
std::optional<QString> lastNonEmptyLine(const QByteArray &tail);
