#include "shell/Viewer.h"

#include "shell/AboutText.h"
#include "shell/DialogProvider.h"

#include <QAction>
#include <QApplication>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <vlc/vlc.h>

namespace {

// Edit items act on whatever widget has the keyboard focus, as the standard slots of Qt's editors do.
void sendToFocus(const char *slot)
{
    QWidget *focused = QApplication::focusWidget();
    if (focused && focused->metaObject()->indexOfSlot((QByteArray(slot) + "()").constData()) >= 0)
        QMetaObject::invokeMethod(focused, slot);
}

QAction *item(QMenu *menu, const QString &title, const QKeySequence &keys = {})
{
    QAction *action = menu->addAction(title);
    action->setShortcut(keys);
    return action;
}

} // namespace

void Viewer::buildMenus()
{
    menus = new QMenuBar(unplaced.get());
    auto *application = new QMenu(QStringLiteral("Ostrivan Media Viewer"), menus);
    connect(item(application, QStringLiteral("About Ostrivan Media Viewer")), &QAction::triggered, this,
            &Viewer::about);
    application->addSeparator();
    connect(item(application, QStringLiteral("Quit Ostrivan Media Viewer"), QKeySequence(QStringLiteral("Ctrl+Q"))),
            &QAction::triggered, qApp, &QApplication::quit, Qt::QueuedConnection);

    auto *file = new QMenu(QStringLiteral("File"), menus);
    connect(item(file, QStringLiteral("Open File…"), QKeySequence(QStringLiteral("Ctrl+O"))), &QAction::triggered,
            this, &Viewer::openFile);

    auto *review = new QMenu(QStringLiteral("Review"), menus);
    connect(item(review, QStringLiteral("Mark Time"), QKeySequence(QStringLiteral("Ctrl+Shift+M"))),
            &QAction::triggered, this, &Viewer::markTime);

    auto *edit = new QMenu(QStringLiteral("Edit"), menus);
    connect(item(edit, QStringLiteral("Cut"), QKeySequence(QStringLiteral("Ctrl+X"))), &QAction::triggered, this,
            [] { sendToFocus("cut"); });
    connect(item(edit, QStringLiteral("Copy"), QKeySequence(QStringLiteral("Ctrl+C"))), &QAction::triggered, this,
            [] { sendToFocus("copy"); });
    connect(item(edit, QStringLiteral("Paste"), QKeySequence(QStringLiteral("Ctrl+V"))), &QAction::triggered, this,
            [] { sendToFocus("paste"); });
    connect(item(edit, QStringLiteral("Select All"), QKeySequence(QStringLiteral("Ctrl+A"))), &QAction::triggered,
            this, [] { sendToFocus("selectAll"); });

    menus->addMenu(application);
    menus->addMenu(file);
    menus->addMenu(edit);
    menus->addMenu(review);
}

void Viewer::about()
{
    if (!window)
        return;
    AlertRequest request;
    request.message = QStringLiteral("Ostrivan Media Viewer");
    request.informative = aboutText(libvlc_get_version());
    request.buttons = {QStringLiteral("OK")};
    dialogs().showAlert(window.get(), request, {});
}

void Viewer::openFile()
{
    if (job || !window)
        return;
    QPointer<Viewer> self(this);
    dialogs().chooseOpenFile(window.get(), [self](std::optional<QString> chosen) {
        if (self && chosen)
            self->openMedia(*chosen);
    });
}
