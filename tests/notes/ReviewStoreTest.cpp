#include "notes/NotesCodec.h"
#include "notes/ReviewStore.h"
#include "notes/SaveLoopNotes.h"
#include "support/TestSupport.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QThread>
#include <csignal>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>
#include <system_error>

namespace {

struct StoreFixture : ::testing::Test {
    QTemporaryDir home;
    ReviewStore store{home.path() + "/data/Ostrivan/Review Notes"};
    QString media = home.path() + "/media/clip one.mov";

    void SetUp() override
    {
        ASSERT_TRUE(QDir().mkpath(home.path() + "/media"));
        ASSERT_TRUE(testsupport::writeAll(media, "not really a movie"));
    }
    ReviewNote note(qint64 t, const QString &text) const { return {QUuid::createUuid(), t, text}; }
};

mode_t modeOf(const QString &path)
{
    struct stat st{};
    return ::stat(QFile::encodeName(path).constData(), &st) == 0 ? (st.st_mode & 07777) : mode_t(-1);
}

} // namespace

TEST_F(StoreFixture, FirstSaveMakesOwnerOnlyDirectoriesAndAHashNamedFile)
{
    EXPECT_TRUE(store.load(media).isEmpty());
    EXPECT_FALSE(QFileInfo::exists(store.root)); // loading writes nothing
    const ReviewNotes notes{note(10, "a/b")};
    store.save(notes, media);
    EXPECT_EQ(modeOf(home.path() + "/data"), 0700u);
    EXPECT_EQ(modeOf(home.path() + "/data/Ostrivan"), 0700u);
    EXPECT_EQ(modeOf(store.root), 0700u);

    const QByteArray canonical = QFile::encodeName(QFileInfo(media).canonicalFilePath());
    const QString expectedName =
        QString::fromLatin1(QCryptographicHash::hash(canonical, QCryptographicHash::Sha256).toHex()) + ".json";
    EXPECT_EQ(QDir(store.root).entryList(QDir::Files), QStringList{expectedName});
    EXPECT_EQ(testsupport::readAll(store.noteFile(media)), encodeNotes(notes));
    EXPECT_EQ(store.load(media), notes);
}

TEST_F(StoreFixture, LinksDotsAndDotDotsFindTheSameFile)
{
    const QString link = home.path() + "/link.mov";
    ASSERT_TRUE(QFile::link(media, link));
    const QString dirLink = home.path() + "/medialink";
    ASSERT_TRUE(QFile::link(home.path() + "/media", dirLink));
    const QString file = store.noteFile(media);
    EXPECT_EQ(store.noteFile(link), file);
    EXPECT_EQ(store.noteFile(dirLink + "/clip one.mov"), file);
    EXPECT_EQ(store.noteFile(home.path() + "/media/./clip one.mov"), file);
    EXPECT_EQ(store.noteFile(home.path() + "/media/../media/clip one.mov"), file);
    EXPECT_NE(store.noteFile(home.path() + "/media/other.mov"), file);
}

TEST_F(StoreFixture, LoadSortsStablyAndIgnoresExtraKeysWhichTheNextSaveDrops)
{
    ASSERT_TRUE(QDir().mkpath(store.root));
    const QByteArray bytes =
        "[{\"id\":\"00000000-0000-4000-8000-000000000003\",\"time\":30,\"text\":\"c\"},"
        "{\"id\":\"00000000-0000-4000-8000-000000000001\",\"time\":10,\"text\":\"a1\",\"colour\":\"red\"},"
        "{\"id\":\"00000000-0000-4000-8000-000000000002\",\"time\":10,\"text\":\"a2\"}]";
    ASSERT_TRUE(testsupport::writeAll(store.noteFile(media), bytes));
    const ReviewNotes notes = store.load(media);
    ASSERT_EQ(notes.size(), 3);
    EXPECT_EQ(notes[0].text, "a1");
    EXPECT_EQ(notes[1].text, "a2");
    EXPECT_EQ(notes[2].text, "c");
    store.save(notes, media);
    EXPECT_FALSE(testsupport::readAll(store.noteFile(media)).contains("colour"));
}

TEST_F(StoreFixture, UnreadableContentFailsAndIsPreserved)
{
    ASSERT_TRUE(QDir().mkpath(store.root));
    const QString file = store.noteFile(media);
    const QList<QByteArray> bad{
        QByteArray(),
        "[{\"id\":\"00000000-0000-4000-8000-000000000001\",\"time\":-1,\"text\":\"x\"}]",
        "[{\"id\":\"00000000-0000-4000-8000-000000000001\",\"time\":21474836471,\"text\":\"x\"}]",
        "{\"notes\":[]}",
    };
    for (const QByteArray &bytes : bad) {
        ASSERT_TRUE(testsupport::writeAll(file, bytes));
        EXPECT_ANY_THROW(store.load(media)) << bytes.constData();
        EXPECT_EQ(testsupport::readAll(file), bytes);
    }
    try {
        ASSERT_TRUE(testsupport::writeAll(file, bad[1]));
        store.load(media);
    } catch (const ReviewError &e) {
        EXPECT_EQ(e.message, "A saved note has an invalid time.");
    }
    // The edges of the range are fine.
    ASSERT_TRUE(testsupport::writeAll(
        file, "[{\"id\":\"00000000-0000-4000-8000-000000000001\",\"time\":21474836470,\"text\":\"x\"},"
              "{\"id\":\"00000000-0000-4000-8000-000000000002\",\"time\":0,\"text\":\"y\"}]"));
    EXPECT_EQ(store.load(media).size(), 2);
    // A directory where the file should be is a failure, not an empty list.
    QFile::remove(file);
    ASSERT_TRUE(QDir().mkpath(file));
    EXPECT_THROW(store.load(media), std::system_error);
}

TEST_F(StoreFixture, GarbageOfSeveralMegabytesIsRefusedQuickly)
{
    ASSERT_TRUE(QDir().mkpath(store.root));
    const QString file = store.noteFile(media);
    QByteArray garbage(4 * 1024 * 1024, '\0');
    QRandomGenerator rng(7);
    for (auto &c : garbage)
        c = char(rng.bounded(256));
    QByteArray nested(3 * 1024 * 1024, '[');
    for (const QByteArray &bytes : {garbage, nested}) {
        ASSERT_TRUE(testsupport::writeAll(file, bytes));
        EXPECT_ANY_THROW(store.load(media));
        EXPECT_EQ(testsupport::readAll(file), bytes);
    }
}

TEST_F(StoreFixture, OddMediaPathsRoundTrip)
{
    const QStringList names{"-dash.mov", "quote\"s and 'apostrophes'.mkv", "spaces  and\ttab.mp4", "ünïcødé 😀.wav"};
    for (const QString &name : names) {
        const QString path = home.path() + "/media/" + name;
        ASSERT_TRUE(testsupport::writeAll(path, "x"));
        const ReviewNotes notes{note(5, name)};
        store.save(notes, path);
        EXPECT_EQ(store.load(path), notes) << name.toStdString();
    }
    // A file name that is not UTF-8 reaches us as a QString with U+FFFD in place of the bad bytes: it must not
    // fail or borrow the notes of an ordinary file. (Two such names differing only in those bytes share a file.)
    const QByteArray raw = QFile::encodeName(home.path() + "/media/") + QByteArray("bad\xff\xfe.mov");
    FILE *f = std::fopen(raw.constData(), "w");
    ASSERT_NE(f, nullptr);
    std::fclose(f);
    EXPECT_NE(store.noteFile(QFile::decodeName(raw)), store.noteFile(media));
    ::unlink(raw.constData()); // QTemporaryDir cannot name it to remove it
}

TEST_F(StoreFixture, SaveFailsWhenTheDirectoryCannotBeMade)
{
    ASSERT_TRUE(testsupport::writeAll(home.path() + "/data", "a file in the way"));
    EXPECT_THROW(store.save({note(1, "x")}, media), std::system_error);
}

// A writer killed at any moment leaves the old list or the new one, never a mix, and no stray files.
TEST_F(StoreFixture, KilledWriterLeavesOldOrNewList)
{
    const QString saver = QCoreApplication::applicationDirPath() + "/notes_save_loop";
    ASSERT_TRUE(QFileInfo(saver).isExecutable());
    QRandomGenerator rng(20261210);
    int sawFile = 0;
    int start = 1;
    for (int round = 0; round < 220; ++round) {
        QProcess child;
        child.start(saver, {store.root, media, QString::number(start)});
        ASSERT_TRUE(child.waitForStarted());
        QElapsedTimer wait;
        wait.start();
        const int ms = int(rng.bounded(40));
        while (wait.elapsed() < ms)
            QThread::usleep(200);
        ::kill(pid_t(child.processId()), SIGKILL);
        child.waitForFinished();

        ReviewNotes loaded;
        ASSERT_NO_THROW(loaded = store.load(media)) << "round " << round;
        if (!loaded.isEmpty()) {
            ++sawFile;
            EXPECT_EQ(loaded, saveLoopNotes(int(loaded.size()))) << "round " << round;
            start = int(loaded.size()) % 400 + 1;
        }
        // At most the one temporary file of the save that was cut short.
        const QStringList entries = QDir(store.root).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden);
        ASSERT_LE(entries.size(), 2) << entries.join(", ").toStdString();
    }
    EXPECT_GT(sawFile, 100);
    // The next completed save clears what the killed ones left.
    store.save(saveLoopNotes(3), media);
    EXPECT_EQ(QDir(store.root).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden).size(), 1);
}
