#include "shell/DarkAppearance.h"

#include <QApplication>
#include <QMainWindow>

int main(int argc, char **argv)
{
    // The video surface must be an X11 window; prefer XWayland on Wayland desktops.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && !qEnvironmentVariableIsEmpty("DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "xcb");
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Ostrivan Media Viewer"));
    QApplication::setDesktopFileName(QStringLiteral("ostrivan-media-viewer"));
    applyDarkAppearance();
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("Ostrivan Media Viewer"));
    window.resize(1110, 660);
    window.setMinimumSize(810, 550);
    window.show();
    return app.exec();
}
