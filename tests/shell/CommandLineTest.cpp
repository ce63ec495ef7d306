#include "shell/CommandLine.h"

#include <gtest/gtest.h>

TEST(CommandLine, AcceptsExactlyTheTwoForms)
{
    const auto open = parseCommandLine({"--open", "/media/a b.mov"}, "/work");
    ASSERT_TRUE(open);
    EXPECT_EQ(open->mode, LaunchRequest::Mode::Open);
    EXPECT_EQ(open->path, QString("/media/a b.mov"));

    const auto smoke = parseCommandLine({"--smoke", "clip.mp4"}, "/work/dir");
    ASSERT_TRUE(smoke);
    EXPECT_EQ(smoke->mode, LaunchRequest::Mode::Smoke);
    EXPECT_EQ(smoke->path, QString("/work/dir/clip.mp4"));
}

TEST(CommandLine, IgnoresEveryOtherShape)
{
    const QList<QStringList> rejected = {
        {},
        {"--open"},
        {"--smoke"},
        {"/media/a.mov"},
        {"--open", "a.mov", "b.mov"},
        {"--smoke", "a.mov", "--open"},
        {"--OPEN", "a.mov"},
        {"--Smoke", "a.mov"},
        {"-open", "a.mov"},
        {"open", "a.mov"},
        {"a.mov", "--open"},
    };
    for (const QStringList &args : rejected)
        EXPECT_FALSE(parseCommandLine(args, "/work")) << args.join(' ').toStdString();
}

TEST(CommandLine, PathIsTakenAsGivenOnlyMadeAbsolute)
{
    // A leading dash in the file name is still a path, and nothing is checked on disk.
    const auto r = parseCommandLine({"--open", "-strange name.mkv"}, "/nowhere");
    ASSERT_TRUE(r);
    EXPECT_EQ(r->path, QString("/nowhere/-strange name.mkv"));
}
