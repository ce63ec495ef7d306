// Takes the README and review screenshots: ov_screenshot_tool OUTPUT_DIR [MEDIA]
// Runs the real window (under Xvfb in scripts/screenshots.sh) with dialogs that are never shown. Notes it writes
// go to the data directory of the environment; the script points that at a temporary directory.
#include "FakeDialogs.h"
#include "inspector/ReviewPanel.h"
#include "shell/DarkAppearance.h"
#include "shell/Viewer.h"

#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QMainWindow>
#include <QPushButton>
#include <QScreen>
#include <QTabBar>
#include <QTest>
#include <cstdio>

namespace {

bool save(Viewer &viewer, const QString &path)
{
    QTest::qWait(600);
    const QPixmap shot = QGuiApplication::primaryScreen()->grabWindow(viewer.window->winId());
    const bool ok = !shot.isNull() && shot.save(path);
    std::printf("%s %s\n", ok ? "wrote" : "could not write", qPrintable(path));
    return ok;
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "xcb");
    QApplication::setAttribute(Qt::AA_DontCreateNativeWidgetSiblings);
    QApplication app(argc, argv);
    const QStringList args = QApplication::arguments();
    if (args.size() < 2 || args.size() > 3) {
        std::fprintf(stderr, "usage: ov_screenshot_tool OUTPUT_DIR [MEDIA]\n");
        return 2;
    }
    applyDarkAppearance();
    const QString out = QDir(args[1]).absolutePath();
    QDir().mkpath(out);
    bool ok = true;
    {
        Viewer viewer(std::make_unique<FakeDialogs>());
        viewer.launch({}, QDir::currentPath());
        ok = save(viewer, out + "/empty.png") && ok;
        viewer.window->resize(viewer.window->minimumSize());
        ok = save(viewer, out + "/minimum-size.png") && ok;
        viewer.terminate();
    }
    if (args.size() == 3) {
        Viewer viewer(std::make_unique<FakeDialogs>());
        viewer.launch({"--open", args[2]}, QDir::currentPath());
        if (!QTest::qWaitFor([&] { return viewer.toggle->text() == "Pause" && viewer.mediaHasVideo; }, 15000)) {
            std::fprintf(stderr, "the media did not start playing\n");
            return 1;
        }
        // Two notes written through the ordinary actions, as a reviewer would.
        const char *remarks[] = {"Colours look cold here; try warming the shadows.",
                                 "Background hiss under the dialogue: try the cleanup effect."};
        for (const char *remark : remarks) {
            QTest::qWait(1200);
            viewer.markTime();
            viewer.inspector->note->setText(QString::fromUtf8(remark));
            viewer.saveNote();
            viewer.togglePlay();
        }
        QTest::qWait(1200);
        const char *names[] = {"playing-notes.png", "playing-effects.png", "playing-speech.png"};
        for (int tab = 0; tab < 3; ++tab) {
            viewer.inspector->tabs->setCurrentIndex(tab);
            ok = save(viewer, out + "/" + names[tab]) && ok;
        }
        viewer.terminate();
    }
    return ok ? 0 : 1;
}
