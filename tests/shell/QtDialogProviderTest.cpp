// The real dialogs behind the seam: window-modal, answered once, with what the caller asked for.
#include "shell/DialogProvider.h"
#include "support/TestSupport.h"

#include <QApplication>
#include <QComboBox>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

namespace {

template <typename T> T *openDialog()
{
    T *found = nullptr;
    (void)QTest::qWaitFor([&] {
        for (QWidget *w : QApplication::topLevelWidgets())
            if (auto *d = qobject_cast<T *>(w); d && d->isVisible())
                found = d;
        return found != nullptr;
    }, 5000);
    return found;
}

} // namespace

TEST(QtDialogProvider, FrameRateAlertOffersItsChoicesAndReportsTheAnswer)
{
    QWidget window;
    window.show();
    QtDialogProvider dialogs;
    AlertRequest request;
    request.message = "Match the Kdenlive frame rate";
    request.informative = "Choose the frame rate used by the destination project.";
    request.buttons = {"Continue", "Cancel"};
    request.choices = {"23.976", "24", "25"};
    request.selectedChoice = 1;
    std::vector<AlertAnswer> answers;
    dialogs.showAlert(&window, request, [&](AlertAnswer a) { answers.push_back(a); });

    QMessageBox *box = openDialog<QMessageBox>();
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->windowModality(), Qt::WindowModal);
    EXPECT_EQ(box->text(), request.message);
    EXPECT_EQ(box->informativeText(), request.informative);
    auto *list = box->findChild<QComboBox *>();
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->size(), QSize(160, 26));
    EXPECT_EQ(list->currentText(), QString("24"));
    list->setCurrentIndex(2);
    QPushButton *proceed = nullptr;
    for (QAbstractButton *b : box->buttons())
        if (b->text() == "Continue")
            proceed = qobject_cast<QPushButton *>(b);
    ASSERT_NE(proceed, nullptr);
    EXPECT_EQ(box->defaultButton(), proceed);
    proceed->click();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !answers.empty(); }, 2000));
    ASSERT_EQ(answers.size(), 1u);
    EXPECT_EQ(answers[0].button, 0);
    EXPECT_EQ(answers[0].choice, 2);
}

TEST(QtDialogProvider, AlertClosedWithEscapeIsNotTheFirstButton)
{
    QWidget window;
    window.show();
    QtDialogProvider dialogs;
    AlertRequest request;
    request.message = "Delete this review note?";
    request.informative = "the note";
    request.buttons = {"Delete", "Cancel"};
    std::vector<AlertAnswer> answers;
    dialogs.showAlert(&window, request, [&](AlertAnswer a) { answers.push_back(a); });
    QMessageBox *box = openDialog<QMessageBox>();
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->findChild<QComboBox *>(), nullptr);
    QTest::keyClick(box, Qt::Key_Escape);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !answers.empty(); }, 2000));
    ASSERT_EQ(answers.size(), 1u);
    EXPECT_NE(answers[0].button, 0);
}

TEST(QtDialogProvider, OpenPanelGivesTheChosenFileOrNothing)
{
    QTemporaryDir dir;
    const QString file = dir.path() + "/clip one.mov";
    ASSERT_TRUE(testsupport::writeAll(file, "x"));
    QWidget window;
    window.show();
    QtDialogProvider dialogs;

    std::vector<std::optional<QString>> answers;
    dialogs.chooseOpenFile(&window, [&](std::optional<QString> p) { answers.push_back(p); });
    QFileDialog *panel = openDialog<QFileDialog>();
    ASSERT_NE(panel, nullptr);
    EXPECT_EQ(panel->fileMode(), QFileDialog::ExistingFile);
    EXPECT_EQ(panel->windowModality(), Qt::WindowModal);
    panel->setDirectory(dir.path());
    panel->selectFile(file);
    static_cast<QDialog *>(panel)->accept();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !answers.empty(); }, 2000));
    ASSERT_EQ(answers.size(), 1u);
    EXPECT_EQ(answers[0], file);

    dialogs.chooseOpenFile(&window, [&](std::optional<QString> p) { answers.push_back(p); });
    panel = openDialog<QFileDialog>();
    ASSERT_NE(panel, nullptr);
    panel->reject();
    ASSERT_TRUE(QTest::qWaitFor([&] { return answers.size() == 2; }, 2000));
    ASSERT_EQ(answers.size(), 2u);
    EXPECT_FALSE(answers[1]);
}

TEST(QtDialogProvider, SavePanelProposesTheNameAndType)
{
    QTemporaryDir dir;
    QWidget window;
    window.show();
    QtDialogProvider dialogs;
    std::vector<std::optional<QString>> answers;
    dialogs.chooseSaveFile(&window, SaveRequest{"interview.final.srt", "SubRip captions (*.srt)", "srt"},
                           [&](std::optional<QString> p) { answers.push_back(p); });
    QFileDialog *panel = openDialog<QFileDialog>();
    ASSERT_NE(panel, nullptr);
    EXPECT_EQ(panel->acceptMode(), QFileDialog::AcceptSave);
    EXPECT_EQ(panel->nameFilters(), QStringList{"SubRip captions (*.srt)"});
    EXPECT_EQ(panel->defaultSuffix(), QString("srt"));
    panel->setDirectory(dir.path());
    panel->selectFile(dir.path() + "/interview.final.srt");
    static_cast<QDialog *>(panel)->accept();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !answers.empty(); }, 2000));
    ASSERT_EQ(answers.size(), 1u);
    EXPECT_EQ(answers[0], dir.path() + "/interview.final.srt");
}
