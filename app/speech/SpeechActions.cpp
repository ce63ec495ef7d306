#include "shell/Viewer.h"

void Viewer::languageChanged()
{
    if (job)
        return;
    // The language choice arrives with speech analysis.
}

void Viewer::analyzeSpeech()
{
    if (!currentURL || job)
        return;
    // Speech analysis arrives with the recogniser pipeline.
}

void Viewer::exportSRT()
{
    if (!currentURL || job || !speech)
        return;
    // Caption export arrives with speech analysis.
}

void Viewer::previewClip()
{
    if (!currentURL || job || !selectedClip())
        return;
    // Clip previews arrive with the clip renders.
}

void Viewer::exportClip()
{
    if (!currentURL || job || !selectedClip())
        return;
    // Clip exports arrive with the clip renders.
}
