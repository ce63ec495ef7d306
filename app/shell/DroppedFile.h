#pragma once

#include <QList>
#include <QString>
#include <QUrl>
#include <optional>

// What a drop on the window opens: exactly one local regular file, as the open panel would allow;
// several items, directories, missing files and remote addresses open nothing.
std::optional<QString> droppedFile(const QList<QUrl> &urls);
