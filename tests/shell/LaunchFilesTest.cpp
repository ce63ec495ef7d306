#include "shell/DroppedFile.h"
#include "shell/PluginPath.h"
#include "support/TestSupport.h"

#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>

TEST(DroppedFile, OnlyOneExistingLocalFile)
{
    QTemporaryDir dir;
    const QString a = dir.path() + "/a clip.mov";
    const QString b = dir.path() + "/b.wav";
    ASSERT_TRUE(testsupport::writeAll(a, "x"));
    ASSERT_TRUE(testsupport::writeAll(b, "y"));

    EXPECT_EQ(droppedFile({QUrl::fromLocalFile(a)}), a);
    EXPECT_FALSE(droppedFile({}));
    EXPECT_FALSE(droppedFile({QUrl::fromLocalFile(a), QUrl::fromLocalFile(b)}));
    EXPECT_FALSE(droppedFile({QUrl::fromLocalFile(dir.path())}));
    EXPECT_FALSE(droppedFile({QUrl::fromLocalFile(dir.path() + "/missing.mp4")}));
    EXPECT_FALSE(droppedFile({QUrl("https://example.invalid/a.mp4")}));
    EXPECT_FALSE(droppedFile({QUrl()}));
}

TEST(PluginPath, ReadsTheEntryOnlyWhenItIsOneString)
{
    QTemporaryDir dir;
    EXPECT_FALSE(vlcPluginEntry(dir.path())) << "no Info.ini";

    ASSERT_TRUE(testsupport::writeAll(dir.path() + "/Info.ini", "Other=1\n"));
    EXPECT_FALSE(vlcPluginEntry(dir.path())) << "no key";

    ASSERT_TRUE(testsupport::writeAll(dir.path() + "/Info.ini", "OstrivanVLCPlugins=/opt/vlc/plugins\n"));
    EXPECT_EQ(vlcPluginEntry(dir.path()), QString("/opt/vlc/plugins"));

    ASSERT_TRUE(testsupport::writeAll(dir.path() + "/Info.ini", "OstrivanVLCPlugins=/a, /b\n"));
    EXPECT_FALSE(vlcPluginEntry(dir.path())) << "a list is not a string";
}
