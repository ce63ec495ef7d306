#include "shell/DarkAppearance.h"
#include "shell/QuitSignals.h"
#include "shell/Viewer.h"

#include <QApplication>
#include <QDir>

int main(int argc, char **argv)
{
    // The video surface must be an X11 window; prefer XWayland on Wayland desktops.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && !qEnvironmentVariableIsEmpty("DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "xcb");
    // Only the video surface (and what must stack over it) needs a native window of its own.
    QApplication::setAttribute(Qt::AA_DontCreateNativeWidgetSiblings);
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Ostrivan Media Viewer"));
    QApplication::setDesktopFileName(QStringLiteral("ostrivan-media-viewer"));
    applyDarkAppearance();
    const QuitSignals quitOnSignals;
    Viewer viewer;
    viewer.launch(QApplication::arguments().mid(1), QDir::currentPath());
    app.exec();
    return 0;
}
