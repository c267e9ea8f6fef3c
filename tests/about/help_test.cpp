#include "about/context_ids.h"
#include "about/help_window.h"

#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QPointer>
#include <QScreen>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTextBrowser>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

class Help : public ::testing::Test {
protected:
    void TearDown() override {
        ContextIDs::QuitHelp();
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
        ContextIDs::InitHelp(nullptr, c.folder);
        EXPECT_EQ(ContextIDs::HelpFile(), c.helpFile);
    }
}

TEST_F(Help, secondRequestRaisesTheSameWindowBackAtTheTop) {
    ContextIDs::InitHelp(&owner, programFolder);
    ContextIDs::ShowHelpContents();
    ASSERT_EQ(helpWindows().size(), 1);
    HelpWindow *window = helpWindows().first();
    EXPECT_TRUE(window->Contents->isVisible()) << window->Problem->text().toStdString();
    EXPECT_EQ(window->windowTitle(), u"Runvoy Help"_s);

    QScrollBar *scroll = window->Contents->verticalScrollBar();
    scroll->setValue(scroll->maximum());
    ASSERT_GT(scroll->value(), 0);
    window->close();
    ContextIDs::ShowHelpContents();
    EXPECT_EQ(helpWindows(), QList<HelpWindow *>{window});
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(scroll->value(), 0);
}

TEST_F(Help, windowFitsTheScreensAvailableArea) {
    ContextIDs::InitHelp(&owner, programFolder);
    ContextIDs::ShowHelpContents();
    ASSERT_EQ(helpWindows().size(), 1);
    const HelpWindow *window = helpWindows().first();
    const QSize outer = window->frameGeometry().size();
    const QSize available = window->screen()->availableGeometry().size();
    EXPECT_LE(outer.width(), available.width());
    EXPECT_LE(outer.height(), available.height());
}

TEST_F(Help, quitHelpClosesTheOpenWindow) {
    ContextIDs::InitHelp(&owner, programFolder);
    ContextIDs::ShowHelpContents();
    ASSERT_EQ(helpWindows().size(), 1);
    const QPointer<HelpWindow> window = helpWindows().first();
    ContextIDs::QuitHelp();
    EXPECT_FALSE(window->isVisible());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(window.isNull());
}

TEST_F(Help, quitHelpWithoutAWindowDoesNothing) {
    ContextIDs::InitHelp(&owner, programFolder);
    ContextIDs::QuitHelp();
    EXPECT_TRUE(helpWindows().isEmpty());
    for (const QWidget *widget : QApplication::topLevelWidgets())
        EXPECT_FALSE(widget->isVisible());
}

TEST_F(Help, unreadableHelpFileIsReportedInTheHelpWindow) {
    for (const bool folderInItsPlace : {false, true}) {
        SCOPED_TRACE(folderInItsPlace ? "a folder" : "missing");
        QTemporaryDir dir;
        const QString helpFile = dir.filePath(u"Runvoy.HLP"_s);
        if (folderInItsPlace)
            QDir().mkdir(helpFile);
        ContextIDs::InitHelp(&owner, dir.path());
        ContextIDs::ShowHelpContents();
        const HelpWindow *window = helpWindows().last();
        EXPECT_TRUE(window->Problem->isVisible());
        EXPECT_FALSE(window->Contents->isVisible());
        EXPECT_TRUE(window->Problem->text().startsWith(u"The help file could not be opened."_s));
        EXPECT_TRUE(window->Problem->text().contains(helpFile));
    }
}

} // namespace
