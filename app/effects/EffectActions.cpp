#include "shell/Viewer.h"

#include "effects/MediaEffect.h"
#include "effects/RenderEffect.h"
#include "inspector/ReviewPanel.h"

#include <QComboBox>
#include <QLabel>

namespace {
MediaEffect selectedEffect(const ReviewPanel &panel)
{
    return effectForIndex(panel.effect->currentIndex());
}
} // namespace

void Viewer::effectChanged()
{
    inspector->effectDetails->setText(effectDescription(selectedEffect(*inspector)));
    refreshControls();
}

void Viewer::previewEffect()
{
    if (!currentURL)
        return;
    const auto tools = makeEffectRender();
    if (!tools)
        return;
    const MediaEffect effect = selectedEffect(*inspector);
    // A new preview over a shown one covers the same stretch of the source.
    const qint64 start = preview ? preview->start : std::max<qint64>(availableTime, 0);
    startFileJob(effectExtension(effect), std::nullopt, start, QStringLiteral("Rendering up to 8 seconds…"),
                 [effect, source = *currentURL, start, tools = *tools](const QString &output, RenderJob &running) {
                     renderEffect(effect, source, output, start, RenderMode::preview, running, tools);
                 });
}

void Viewer::showOriginal()
{
    if (!preview)
        return;
    seekToTime(preview->start + std::max<qint64>(availableTime, 0));
    inspector->setStatus(QStringLiteral("Original media."));
}

void Viewer::exportEffect()
{
    if (!currentURL)
        return;
    const auto tools = makeEffectRender();
    if (!tools)
        return;
    const MediaEffect effect = selectedEffect(*inspector);
    const QString extension = effectExtension(effect);
    const QString source = *currentURL;
    QPointer<Viewer> self(this);
    chooseExportDestination(defaultEffectExportName(source, effect), extension,
                            [self, effect, extension, source, tools = *tools](const QString &destination) {
                                if (!self)
                                    return;
                                // The whole source, whatever preview is shown.
                                self->startFileJob(extension, destination, 0, QStringLiteral("Rendering the export…"),
                                                   [effect, source, tools](const QString &output, RenderJob &running) {
                                                       renderEffect(effect, source, output, 0, RenderMode::exportWhole,
                                                                    running, tools);
                                                   });
                            });
}
