#include "shell/Viewer.h"

#include "inspector/ReviewPanel.h"
#include "shell/DialogProvider.h"
#include "shell/ElidingLabel.h"
#include "shell/Player.h"
#include "shell/VideoSurface.h"
#include "tools/ScratchFiles.h"

#include <QFileInfo>
#include <QLabel>
#include <QMainWindow>
#include <QPushButton>
#include <QSlider>
#include <QStandardPaths>
#include <QTimer>

namespace {

QLabel *label(const QString &text, QWidget *parent)
{
    auto *l = new QLabel(text, parent);
    l->setTextInteractionFlags(Qt::NoTextInteraction);
    return l;
}

} // namespace

Viewer::Viewer(std::unique_ptr<DialogProvider> dialogs, QObject *parent)
    : QObject(parent),
      dialogProvider(dialogs ? std::move(dialogs) : std::make_unique<QtDialogProvider>()),
      unplaced(std::make_unique<QWidget>())
{
    QWidget *holder = unplaced.get();
    surface = new VideoSurface(holder);
    openButton = new QPushButton(QStringLiteral("Open File…"), holder);
    openButton->setAccessibleName(QStringLiteral("Open File…"));
    inspector = new ReviewPanel(holder);
    noteStore.root = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation)
                     + QStringLiteral("/Ostrivan/Review Notes");
    heading = label(QStringLiteral("Ostrivan Media Viewer"), holder);
    filename = new ElidingLabel(QStringLiteral("No file open"), holder);
    empty = label(QStringLiteral("Open a video or audio file"), holder);
    elapsed = label(QStringLiteral("0:00 / 0:00"), holder);
    seek = new QSlider(Qt::Horizontal, holder);
    seek->setRange(0, seekRange);
    seek->setValue(0);
    seek->setAccessibleName(QStringLiteral("Playback position"));
    toggle = new QPushButton(QStringLiteral("Play"), holder);
    toggle->setAccessibleName(QStringLiteral("Play"));
}

Viewer::~Viewer() = default;

void Viewer::removePreviewDirectory(const QString &previewUrl)
{
    // Quietly: a directory that cannot be removed is left behind without a message.
    removeItemQuietly(QFileInfo(previewUrl).absolutePath());
}
