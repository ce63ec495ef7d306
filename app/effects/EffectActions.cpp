#include "shell/Viewer.h"

void Viewer::effectChanged()
{
    if (job)
        return;
    // Describing the chosen effect arrives with the effect catalogue.
}

void Viewer::previewEffect()
{
    if (!currentURL || job)
        return;
    // Effect previews arrive with the effect renders.
}

void Viewer::exportEffect()
{
    if (!currentURL || job)
        return;
    // Effect exports arrive with the effect renders.
}

void Viewer::showOriginal()
{
    if (!preview || job)
        return;
    // Returning from a preview arrives with the effect previews.
}
