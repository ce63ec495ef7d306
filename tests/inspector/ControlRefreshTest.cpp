// refreshControls reads the Viewer's own fields and tables and applies the rules to the real controls.
#include "inspector/ReviewPanel.h"
#include "shell/Viewer.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <gtest/gtest.h>

namespace {

QStringList usableControls(Viewer &v)
{
    ReviewPanel *p = v.inspector;
    const std::pair<QWidget *, const char *> controls[] = {
        {v.openButton, "open"},         {p->mark, "mark"},           {p->note, "note"},
        {p->save, "save"},              {p->jump, "jump"},           {p->edit, "edit"},
        {p->remove, "remove"},          {p->exportNotes, "exportNotes"}, {p->effect, "effect"},
        {p->previewEffect, "previewEffect"}, {p->exportEffect, "exportEffect"}, {p->language, "language"},
        {p->transcribe, "transcribe"},  {p->saveSRT, "saveSRT"},     {p->previewClip, "previewClip"},
        {p->exportClip, "exportClip"},
    };
    QStringList names;
    for (const auto &[widget, name] : controls)
        if (widget->isEnabled())
            names << name;
    if (!p->original->isHidden())
        names << "original shown";
    if (!p->cancel->isHidden())
        names << "cancel shown";
    return names;
}

} // namespace

TEST(ControlRefresh, StartsWithOnlyTheControlsThatNeedNoMedia)
{
    Viewer v;
    v.refreshControls();
    EXPECT_EQ(usableControls(v), QStringList({"open", "effect", "language"}));
}

TEST(ControlRefresh, FollowsTheViewerState)
{
    Viewer v;
    v.currentURL = "/media/clip.mov";
    v.availableTime = 2000;
    v.mediaHasVideo = true;
    v.inspector->notes = {ReviewNote{QUuid::createUuid(), 1000, "a"}, ReviewNote{QUuid::createUuid(), 3000, "b"}};
    v.inspector->reloadNotes();
    v.refreshControls();
    EXPECT_EQ(usableControls(v), QStringList({"open", "mark", "exportNotes", "effect", "previewEffect",
                                              "exportEffect", "language", "transcribe"}));

    // A selection counts only through the table.
    v.inspector->notesTable->selectRow(1);
    v.refreshControls();
    EXPECT_TRUE(v.inspector->jump->isEnabled());
    EXPECT_TRUE(v.inspector->remove->isEnabled());
    EXPECT_EQ(v.selectedNote()->time, 3000);

    v.noteDraft = NoteDraft{2000, std::nullopt};
    v.notesWritable = false;
    v.refreshControls();
    EXPECT_FALSE(v.inspector->mark->isEnabled());
    EXPECT_FALSE(v.inspector->edit->isEnabled());
    EXPECT_TRUE(v.inspector->jump->isEnabled());
    EXPECT_TRUE(v.inspector->save->isEnabled());

    // Clips: selection from the clips table, and video needed.
    v.inspector->clips = {SpeechClip{0, 1500, "x"}};
    v.inspector->reloadClips();
    v.inspector->clipsTable->selectRow(0);
    v.speech = SpeechResult{};
    v.refreshControls();
    EXPECT_TRUE(v.inspector->previewClip->isEnabled());
    EXPECT_TRUE(v.inspector->saveSRT->isEnabled());
    EXPECT_EQ(v.selectedClip(), (SpeechClip{0, 1500, "x"}));
    v.mediaHasVideo = false;
    v.refreshControls();
    EXPECT_FALSE(v.inspector->previewClip->isEnabled());
    EXPECT_FALSE(v.inspector->previewEffect->isEnabled());
    v.inspector->effect->setCurrentIndex(4);
    v.refreshControls();
    EXPECT_TRUE(v.inspector->previewEffect->isEnabled());

    // A preview shows "Original"; a job hides it and leaves only "Cancel Job".
    v.preview = PreviewShown{"/tmp/.ostrivan-x/preview.wav", 1000};
    v.refreshControls();
    EXPECT_FALSE(v.inspector->original->isHidden());
    EXPECT_FALSE(v.inspector->mark->isEnabled());
    v.job = std::make_shared<RenderJob>();
    v.refreshControls();
    EXPECT_EQ(usableControls(v), QStringList({"cancel shown"}));
    v.job.reset();
    v.preview.reset();
    v.refreshControls();
    EXPECT_TRUE(v.inspector->cancel->isHidden());
    EXPECT_TRUE(v.inspector->original->isHidden());
}

TEST(ControlRefresh, ASelectionChangeRefreshesAtOnceAfterLaunchWiring)
{
    Viewer v;
    v.currentURL = "/media/clip.mov";
    v.inspector->notes = {ReviewNote{QUuid::createUuid(), 1000, "a"}};
    v.inspector->reloadNotes();
    v.refreshControls();
    ASSERT_FALSE(v.inspector->jump->isEnabled());
    // The launch sequence installs this callback; without launching, install the same kind here.
    v.inspector->selectionChanged = [&v] { v.refreshControls(); };
    v.inspector->notesTable->selectRow(0);
    EXPECT_TRUE(v.inspector->jump->isEnabled());
    v.inspector->notesTable->clearSelection();
    EXPECT_FALSE(v.inspector->jump->isEnabled());
}
