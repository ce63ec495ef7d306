#include "tools/ResourceDirectory.h"

#include "support/TestSupport.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

TEST(ResourceDirectory, FoundBesideBinInAPrefix)
{
    QTemporaryDir prefix;
    ASSERT_TRUE(QDir(prefix.path()).mkpath("bin"));
    EXPECT_FALSE(resourceDirectoryFor(prefix.path() + "/bin"));
    ASSERT_TRUE(QDir(prefix.path()).mkpath("share/ostrivan-media-viewer/Engines"));
    const auto dir = resourceDirectoryFor(prefix.path() + "/bin");
    ASSERT_TRUE(dir);
    EXPECT_EQ(*dir, prefix.path() + "/share/ostrivan-media-viewer");
}

TEST(ResourceDirectory, BuildTreeHasTheInstalledLayout)
{
    const QString share = testsupport::buildDir() + "/share/ostrivan-media-viewer";
    EXPECT_TRUE(QFileInfo(testsupport::buildDir() + "/bin/OstrivanMediaViewer").isExecutable());
    EXPECT_TRUE(QFileInfo(share + "/ViewerMark.png").isFile());
    EXPECT_TRUE(QFileInfo(share + "/Engines/ostrivan-denoise").isExecutable());
    const auto dir = resourceDirectoryFor(testsupport::buildDir() + "/bin");
    ASSERT_TRUE(dir);
    EXPECT_EQ(QFileInfo(*dir).canonicalFilePath(), QFileInfo(share).canonicalFilePath());
}
