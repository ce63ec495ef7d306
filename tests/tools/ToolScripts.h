#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>

// Writes an executable shell script for the runner tests and returns its path.
inline QString writeScript(const QString &directory, const QString &name, const QByteArray &body)
{
    const QString path = directory + QLatin1Char('/') + name;
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return {};
    file.write("#!/bin/sh\n" + body + "\n");
    file.close();
    file.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    return path;
}
