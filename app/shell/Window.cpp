#include "shell/Viewer.h"

#include "inspector/ReviewPanel.h"
#include "shell/DroppedFile.h"
#include "shell/VideoSurface.h"
#include "tools/ResourceDirectory.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFontDatabase>
#include <QGridLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QComboBox>
#include <QTableView>
#include <QMainWindow>
#include <QMenuBar>
#include <QMimeData>
#include <QPainter>
#include <QProxyStyle>
#include <QPushButton>
#include <QScreen>
#include <QSlider>
#include <QVBoxLayout>

namespace {

const QColor mutedText = QColor::fromRgbF(0.69f, 0.71f, 0.65f);

void setTextColour(QWidget *widget, const QColor &colour)
{
    QPalette p = widget->palette();
    p.setColor(QPalette::WindowText, colour);
    widget->setPalette(p);
}

void setFont(QWidget *widget, int pixels, QFont::Weight weight, bool fixedDigits = false)
{
    QFont font = fixedDigits ? QFontDatabase::systemFont(QFontDatabase::FixedFont) : widget->font();
    font.setPixelSize(pixels);
    font.setWeight(weight);
    widget->setFont(font);
}

// The rounded dark box behind the video surface.
class VideoBox : public QWidget {
public:
    using QWidget::QWidget;

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(Qt::NoPen);
        painter.setBrush(QColor::fromRgbF(0.055f, 0.06f, 0.052f));
        painter.drawRoundedRect(rect(), 8, 8);
    }
};

class SeekSliderStyle : public QProxyStyle {
public:
    SeekSliderStyle() : QProxyStyle(QStringLiteral("Fusion")) {}
    int styleHint(StyleHint hint, const QStyleOption *option, const QWidget *widget,
                  QStyleHintReturn *returnData) const override
    {
        if (hint == SH_Slider_AbsoluteSetButtons)
            return Qt::LeftButton;
        return QProxyStyle::styleHint(hint, option, widget, returnData);
    }
};

} // namespace

void Viewer::buildWindow()
{
    window = std::make_unique<QMainWindow>();
    window->setWindowTitle(QStringLiteral("Ostrivan Media Viewer"));
    window->setMinimumSize(810, 550);
    window->setMenuBar(menus);
    window->setAcceptDrops(true);
    window->installEventFilter(this);

    auto *central = new QWidget;
    auto *root = new QVBoxLayout(central);
    root->setContentsMargins(24, 20, 24, 20);
    root->setSpacing(14);

    // Top bar: mark, heading, spacer, open button.
    auto *mark = new QLabel;
    mark->setFixedSize(35, 35);
    mark->setAccessibleName(QString());
    if (const auto resources = resourceDirectory()) {
        const QPixmap image(*resources + QStringLiteral("/ViewerMark.png"));
        if (!image.isNull())
            mark->setPixmap(image.scaled(35, 35, Qt::KeepAspectRatio, Qt::SmoothTransformation));
    }
    setFont(heading, 20, QFont::DemiBold);
    setTextColour(heading, QColor::fromRgbF(0.94f, 0.94f, 0.90f));
    QPalette accent = openButton->palette();
    accent.setColor(QPalette::Button, QColor::fromRgbF(0.81f, 0.86f, 0.59f));
    accent.setColor(QPalette::ButtonText, QColor(0x1A, 0x1C, 0x16));
    openButton->setPalette(accent);
    connect(openButton, &QPushButton::clicked, this, &Viewer::openFile);
    auto *topBar = new QHBoxLayout;
    topBar->setSpacing(12);
    topBar->addWidget(mark, 0, Qt::AlignVCenter);
    topBar->addWidget(heading, 0, Qt::AlignVCenter);
    topBar->addStretch(1);
    topBar->addWidget(openButton, 0, Qt::AlignVCenter);
    root->addLayout(topBar);

    setTextColour(filename, mutedText);
    root->addWidget(filename);

    // Video box: the surface fills it, the placeholder sits centred in front of it.
    auto *videoBox = new VideoBox;
    videoBox->setMinimumHeight(260);
    auto *overlay = new QGridLayout(videoBox);
    overlay->setContentsMargins(0, 0, 0, 0);
    overlay->addWidget(surface, 0, 0);
    overlay->addWidget(empty, 0, 0, Qt::AlignCenter);
    setFont(empty, 20, QFont::Medium);
    setTextColour(empty, mutedText);
    empty->setAlignment(Qt::AlignCenter);
    if (VideoSurface::drawsNatively()) {
        // Over a native video window only another native window shows, so the placeholder gets one with
        // the box's own colour behind its text.
        empty->setAttribute(Qt::WA_NativeWindow);
        empty->setAutoFillBackground(true);
        QPalette box = empty->palette();
        box.setColor(QPalette::Window, QColor::fromRgbF(0.055f, 0.06f, 0.052f));
        empty->setPalette(box);
        empty->setContentsMargins(12, 6, 12, 6);
    }
    empty->raise();

    // Transport row.
    toggle->setFixedWidth(72);
    toggle->setEnabled(false);
    connect(toggle, &QPushButton::clicked, this, &Viewer::togglePlay);
    seek->setEnabled(false);
    seek->setTracking(false);
    // A click on the groove puts the handle there and counts as a press, so it seeks once on release too.
    auto *absoluteClicks = new SeekSliderStyle;
    absoluteClicks->setParent(seek);
    seek->setStyle(absoluteClicks);
    connect(seek, &QSlider::sliderReleased, this, &Viewer::seekToPosition);
    // Keyboard steps move the value without a press: one seek each, by 1% (arrows) or 10% (page keys).
    seek->setSingleStep(seekRange / 100);
    seek->setPageStep(seekRange / 10);
    connect(seek, &QSlider::actionTriggered, this, [this](int action) {
        if (action != QAbstractSlider::SliderMove && action != QAbstractSlider::SliderNoAction)
            QMetaObject::invokeMethod(this, &Viewer::seekToPosition, Qt::QueuedConnection);
    });
    setFont(elapsed, 12, QFont::Medium, true);
    setTextColour(elapsed, mutedText);
    elapsed->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Preferred);
    auto *transport = new QHBoxLayout;
    transport->setSpacing(12);
    transport->addWidget(toggle, 0, Qt::AlignVCenter);
    transport->addWidget(seek, 1, Qt::AlignVCenter);
    transport->addWidget(elapsed, 0, Qt::AlignVCenter);

    auto *playerColumn = new QVBoxLayout;
    playerColumn->setSpacing(12);
    playerColumn->addWidget(videoBox, 1);
    playerColumn->addLayout(transport);

    inspector->setFixedWidth(356);
    auto *content = new QHBoxLayout;
    content->setSpacing(14);
    content->addLayout(playerColumn, 1);
    content->addWidget(inspector);
    root->addLayout(content, 1);

    window->setCentralWidget(central);
    unplaced.reset(); // every control now belongs to the window

    window->resize(1110, 660 + window->menuBar()->sizeHint().height());
    if (const QScreen *screen = QGuiApplication::primaryScreen()) {
        QRect frame = window->frameGeometry();
        frame.moveCenter(screen->availableGeometry().center());
        window->move(frame.topLeft());
    }
    window->show();
}

void Viewer::connectInspector()
{
    ReviewPanel *panel = inspector;
    connect(panel->mark, &QPushButton::clicked, this, &Viewer::markTime);
    connect(panel->save, &QPushButton::clicked, this, &Viewer::saveNote);
    connect(panel->note, &QLineEdit::returnPressed, this, &Viewer::saveNote);
    connect(panel->edit, &QPushButton::clicked, this, &Viewer::editNote);
    connect(panel->remove, &QPushButton::clicked, this, &Viewer::deleteNote);
    connect(panel->jump, &QPushButton::clicked, this, &Viewer::jumpToNote);
    connect(panel->notesTable, &QTableView::doubleClicked, this, &Viewer::jumpToNote);
    connect(panel->exportNotes, &QComboBox::activated, this, &Viewer::exportNotes);
    connect(panel->effect, &QComboBox::activated, this, &Viewer::effectChanged);
    connect(panel->previewEffect, &QPushButton::clicked, this, &Viewer::previewEffect);
    connect(panel->exportEffect, &QPushButton::clicked, this, &Viewer::exportEffect);
    connect(panel->original, &QPushButton::clicked, this, &Viewer::showOriginal);
    connect(panel->language, &QComboBox::activated, this, &Viewer::languageChanged);
    connect(panel->transcribe, &QPushButton::clicked, this, &Viewer::analyzeSpeech);
    connect(panel->saveSRT, &QPushButton::clicked, this, &Viewer::exportSRT);
    connect(panel->previewClip, &QPushButton::clicked, this, &Viewer::previewClip);
    connect(panel->exportClip, &QPushButton::clicked, this, &Viewer::exportClip);
    connect(panel->cancel, &QPushButton::clicked, this, &Viewer::cancelJob);
    QPointer<Viewer> self(this);
    panel->selectionChanged = [self] {
        if (self)
            self->refreshControls();
    };
}

bool Viewer::eventFilter(QObject *watched, QEvent *event)
{
    if (window && watched == window.get()) {
        if (event->type() == QEvent::DragEnter || event->type() == QEvent::DragMove) {
            auto *drag = static_cast<QDropEvent *>(event);
            if (!job && drag->mimeData()->hasUrls() && droppedFile(drag->mimeData()->urls()))
                drag->acceptProposedAction();
            else
                drag->ignore();
            return true;
        }
        if (event->type() == QEvent::Drop) {
            auto *drop = static_cast<QDropEvent *>(event);
            if (drop->mimeData()->hasUrls()) {
                openDroppedFiles(drop->mimeData()->urls());
                drop->acceptProposedAction();
            }
            return true;
        }
    }
    return QObject::eventFilter(watched, event);
}

void Viewer::openDroppedFiles(const QList<QUrl> &urls)
{
    // The same guards as the Open panel: no job running, and exactly one file.
    if (job || !window)
        return;
    if (const auto path = droppedFile(urls))
        openMedia(*path);
}
