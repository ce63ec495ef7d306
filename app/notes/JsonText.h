#pragma once

#include <QByteArray>
#include <QString>

// A JSON string literal (quotes included) in UTF-8. No JSON library lays out these bytes exactly as our files
// need (the notes file escapes "/", the markers file does not), so the few escaping rules are written here.
enum class SolidusEscape { Escaped, Plain };
QByteArray jsonString(const QString &text, SolidusEscape solidus);
