#include "shell/PluginPath.h"

#include <QSettings>

std::optional<QString> vlcPluginEntry(const QString &resourceDirectory)
{
    const QSettings info(resourceDirectory + QStringLiteral("/Info.ini"), QSettings::IniFormat);
    const QVariant entry = info.value(QStringLiteral("OstrivanVLCPlugins"));
    if (!entry.isValid() || entry.typeId() != QMetaType::QString)
        return std::nullopt;
    return entry.toString();
}
