#pragma once

#include <QString>
#include <QStringList>
#include <optional>

// What the command line asks for. Only two exact forms are accepted; anything else opens nothing.
struct LaunchRequest {
    enum class Mode { Open, Smoke };
    Mode mode = Mode::Open;
    QString path; // absolute; a relative argument is taken relative to the working directory
};

// `arguments` excludes the program name.
std::optional<LaunchRequest> parseCommandLine(const QStringList &arguments, const QString &workingDirectory);
