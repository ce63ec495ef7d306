#include "shell/CommandLine.h"

#include <QDir>

std::optional<LaunchRequest> parseCommandLine(const QStringList &arguments, const QString &workingDirectory)
{
    if (arguments.size() != 2)
        return std::nullopt;
    LaunchRequest request;
    if (arguments[0] == QLatin1String("--smoke"))
        request.mode = LaunchRequest::Mode::Smoke;
    else if (arguments[0] == QLatin1String("--open"))
        request.mode = LaunchRequest::Mode::Open;
    else
        return std::nullopt;
    // cleanPath is not applied: the path is not checked or normalised here, only made absolute.
    request.path = QDir(workingDirectory).absoluteFilePath(arguments[1]);
    return request;
}
