#include "notes/ReviewNote.h"
#include "support/TestSupport.h"
#include "tools/ScratchFiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <atomic>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <system_error>
#include <thread>
#include <unistd.h>

TEST(ScratchFiles, ScratchDirectoryIsPrivateAndNamedByAnUpperCaseUuid)
{
    QTemporaryDir parent;
    const QString a = makeScratchDirectory(parent.path());
    const QString b = makeScratchDirectory(parent.path());
    EXPECT_NE(a, b);
    const QString name = QFileInfo(a).fileName();
    EXPECT_EQ(name.size(), 46);
    EXPECT_TRUE(QRegularExpression(QStringLiteral("^\\.ostrivan-[0-9A-F]{8}-[0-9A-F]{4}-4[0-9A-F]{3}-[89AB][0-9A-F]{3}-"
                                                  "[0-9A-F]{12}$"))
                    .match(name)
                    .hasMatch())
        << name.toStdString();
    struct stat st{};
    ASSERT_EQ(::stat(QFile::encodeName(a).constData(), &st), 0);
    EXPECT_TRUE(S_ISDIR(st.st_mode));
    EXPECT_EQ(st.st_mode & 07777, 0700u);
    EXPECT_TRUE(QDir(a).isEmpty());
    // No missing parents are made.
    EXPECT_THROW(makeScratchDirectory(parent.path() + "/missing/deeper"), std::system_error);
    EXPECT_FALSE(QFileInfo::exists(parent.path() + "/missing"));
}

TEST(ScratchFiles, MoveNeverReplacesAndRemovalIsQuiet)
{
    QTemporaryDir dir;
    const QString source = dir.filePath("source");
    const QString destination = dir.filePath("destination");
    ASSERT_TRUE(testsupport::writeAll(source, "new bytes"));
    ASSERT_TRUE(testsupport::writeAll(destination, "the reviewer's file"));
    try {
        moveWithoutReplacing(source, destination);
        ADD_FAILURE() << "an existing file was replaced";
    } catch (const ReviewError &e) {
        EXPECT_EQ(e.message, "A file with this name already exists. Choose a new name.");
    }
    EXPECT_EQ(testsupport::readAll(destination), QByteArray("the reviewer's file"));
    EXPECT_EQ(testsupport::readAll(source), QByteArray("new bytes"));

    // Other failures carry the system's error.
    try {
        moveWithoutReplacing(dir.filePath("absent"), dir.filePath("elsewhere"));
        ADD_FAILURE() << "moving a missing file succeeded";
    } catch (const std::system_error &e) {
        EXPECT_EQ(e.code().value(), ENOENT);
    }

    ASSERT_TRUE(QFile::remove(destination));
    moveWithoutReplacing(source, destination);
    EXPECT_EQ(testsupport::readAll(destination), QByteArray("new bytes"));
    EXPECT_FALSE(QFileInfo::exists(source));

    // A tree with a link out of it: the tree goes, the link's target stays.
    const QString scratch = makeScratchDirectory(dir.path());
    ASSERT_TRUE(QDir().mkpath(scratch + "/a/b"));
    ASSERT_TRUE(testsupport::writeAll(scratch + "/a/b/file", "x"));
    ASSERT_TRUE(QFile::link(destination, scratch + "/a/link"));
    removeItemQuietly(scratch);
    EXPECT_FALSE(QFileInfo::exists(scratch));
    EXPECT_EQ(testsupport::readAll(destination), QByteArray("new bytes"));
    removeItemQuietly(dir.filePath("never existed")); // no throw
}

// Another program creates the destination while the move is under way: whichever comes first wins, and the
// loser never changes the winner's bytes.
TEST(ScratchFiles, RaceWithAFileAppearingAtTheDestination)
{
    QTemporaryDir dir;
    int movesWon = 0;
    int othersWon = 0;
    for (int round = 0; round < 300; ++round) {
        const QString source = dir.filePath(QStringLiteral("export-%1").arg(round));
        const QString destination = dir.filePath(QStringLiteral("chosen-%1.txt").arg(round));
        ASSERT_TRUE(testsupport::writeAll(source, "exported"));
        std::atomic<bool> ready{false};
        std::atomic<bool> go{false};
        bool otherCreated = false;
        std::thread other([&] {
            ready.store(true);
            while (!go.load())
                std::this_thread::yield();
            const QByteArray path = QFile::encodeName(destination);
            const int fd = ::open(path.constData(), O_WRONLY | O_CREAT | O_EXCL, 0600);
            if (fd >= 0) {
                otherCreated = ::write(fd, "theirs", 6) == 6;
                ::close(fd);
            }
        });
        bool moved = false;
        while (!ready.load())
            std::this_thread::yield();
        go.store(true);
        // A varying head start for the other writer spreads the outcomes across both orders.
        for (std::atomic<int> spin = 0; spin.load() < (round % 30) * 1500; spin.fetch_add(1)) {
        }
        try {
            moveWithoutReplacing(source, destination);
            moved = true;
        } catch (const ReviewError &) {
        }
        other.join();
        ASSERT_NE(moved, otherCreated) << "round " << round;
        if (moved) {
            ++movesWon;
            EXPECT_EQ(testsupport::readAll(destination), QByteArray("exported"));
        } else {
            ++othersWon;
            EXPECT_EQ(testsupport::readAll(destination), QByteArray("theirs"));
            EXPECT_EQ(testsupport::readAll(source), QByteArray("exported"));
        }
    }
    std::printf("moves first: %d, other writer first: %d\n", movesWon, othersWon);
}
