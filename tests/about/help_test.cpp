#include "qt/about/help.h"
#include "qt/about/help_window.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPointer>
#include <QScreen>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTextBrowser>

#include <gtest/gtest.h>

#include <functional>

#include <sys/stat.h>

using namespace Qt::StringLiterals;

namespace {

class HelpTest : public ::testing::Test {
protected:
    void TearDown() override {
        ::Help::close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    QList<HelpWindow *> helpWindows() const { return owner.findChildren<HelpWindow *>(); }

    // The help file the build puts beside the program.
    const QString programFolder = qEnvironmentVariable("RUNVOY_BUILD_PROGRAM_DIR");
    QWidget owner;
};

TEST(HelpFilePath, addsASeparatorUnlessTheFolderEndsInOne) {
    const struct {
        QString folder, helpFile;
    } cases[] = {
        {u"/opt/runvoy"_s, u"/opt/runvoy/Runvoy.HLP"_s},
        {u"/"_s, u"/Runvoy.HLP"_s},
        // Blanks are ignored only to find the last character; the folder keeps them.
        {u" /x "_s, u" /x /Runvoy.HLP"_s},
        {u" / "_s, u" / Runvoy.HLP"_s},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.folder.toStdString());
        ::Help::prepare(nullptr, c.folder);
        EXPECT_EQ(::Help::filePath(), c.helpFile);
    }
}

TEST_F(HelpTest, secondRequestRaisesTheSameWindowBackAtTheTop) {
    ::Help::prepare(&owner, programFolder);
    ::Help::showContents();
    ASSERT_EQ(helpWindows().size(), 1);
    HelpWindow *window = helpWindows().first();
    EXPECT_TRUE(window->Contents->isVisible()) << window->Problem->text().toStdString();
    EXPECT_EQ(window->windowTitle(), u"Runvoy Help"_s);

    QScrollBar *scroll = window->Contents->verticalScrollBar();
    scroll->setValue(scroll->maximum());
    ASSERT_GT(scroll->value(), 0);
    window->close();
    ::Help::showContents();
    EXPECT_EQ(helpWindows(), QList<HelpWindow *>{window});
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(scroll->value(), 0);
}

TEST_F(HelpTest, windowFitsTheScreensAvailableArea) {
    ::Help::prepare(&owner, programFolder);
    ::Help::showContents();
    ASSERT_EQ(helpWindows().size(), 1);
    const HelpWindow *window = helpWindows().first();
    const QSize outer = window->frameGeometry().size();
    const QSize available = window->screen()->availableGeometry().size();
    EXPECT_LE(outer.width(), available.width());
    EXPECT_LE(outer.height(), available.height());
}

TEST_F(HelpTest, quitHelpClosesTheOpenWindow) {
    ::Help::prepare(&owner, programFolder);
    ::Help::showContents();
    ASSERT_EQ(helpWindows().size(), 1);
    const QPointer<HelpWindow> window = helpWindows().first();
    ::Help::close();
    EXPECT_FALSE(window->isVisible());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(window.isNull());
}

TEST_F(HelpTest, quitHelpWithoutAWindowDoesNothing) {
    ::Help::prepare(&owner, programFolder);
    ::Help::close();
    EXPECT_TRUE(helpWindows().isEmpty());
    for (const QWidget *widget : QApplication::topLevelWidgets())
        EXPECT_FALSE(widget->isVisible());
}

// A pipe of that name is never opened for reading, where it would wait for a writer for ever.
TEST_F(HelpTest, unreadableHelpFileIsReportedInTheHelpWindow) {
    const std::pair<const char *, std::function<bool(const QString &)>> cases[] = {
        {"missing",
         [](const QString &) {
             return true;
         }},
        {"a folder",
         [](const QString &path) {
             return QDir().mkdir(path);
         }},
        {"a pipe",
         [](const QString &path) {
             return ::mkfifo(QFile::encodeName(path), 0600) == 0;
         }},
    };
    for (const auto &[what, make] : cases) {
        SCOPED_TRACE(what);
        QTemporaryDir dir;
        const QString helpFile = dir.filePath(u"Runvoy.HLP"_s);
        ASSERT_TRUE(make(helpFile));
        ::Help::prepare(&owner, dir.path());
        ::Help::showContents();
        const HelpWindow *window = helpWindows().last();
        EXPECT_TRUE(window->Problem->isVisible());
        EXPECT_FALSE(window->Contents->isVisible());
        EXPECT_TRUE(window->Problem->text().startsWith(u"The help file could not be opened."_s));
        EXPECT_TRUE(window->Problem->text().contains(helpFile));
    }
}

} // namespace
