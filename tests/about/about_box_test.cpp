#include "qt/about/about_box.h"
#include "qt/about/version.h"
#include "tests/support/printers.h"

#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QTest>

#include <gtest/gtest.h>

#include <functional>

using namespace Qt::StringLiterals;

namespace {

TEST(VersionText, writesEveryNumberInDecimalWithoutLeadingZeros) {
    const struct {
        int major, minor, revision;
        QString text;
    } cases[] = {{1, 3, 0, u"Version 1.3.0"_s}, {1, 10, 0, u"Version 1.10.0"_s}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.text.toStdString());
        EXPECT_EQ(versionText(c.major, c.minor, c.revision), c.text);
    }
}

TEST(AboutBox, showsTheBuildsVersionInAFixedBoxCentredOnTheScreen) {
    QWidget owner;
    owner.setGeometry(0, 0, 200, 100);
    owner.show();
    AboutBox box(&owner);
    box.show();
    EXPECT_EQ(box.windowTitle(), u"About Runvoy"_s);
    EXPECT_EQ(box.versionLabel->text(),
              versionText(RunvoyVersionMajor, RunvoyVersionMinor, RunvoyVersionRevision));
    EXPECT_EQ(box.minimumSize(), box.maximumSize());
    EXPECT_FALSE(box.windowFlags() & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint));
    const QPoint offCentre = box.frameGeometry().center() - owner.screen()->geometry().center();
    EXPECT_LE(offCentre.manhattanLength(), 2);
}

TEST(AboutBox, labelsAreTallEnoughForTheirFontAndKeepClearOfEachOther) {
    AboutBox box(nullptr);
    box.show();
    for (const QLabel *label : {box.programNameLabel, box.versionLabel}) {
        SCOPED_TRACE(label->text().toStdString());
        EXPECT_GE(label->contentsRect().height(), label->fontMetrics().height());
    }
    EXPECT_LE(box.programNameLabel->geometry().bottom(), box.versionLabel->geometry().top());
}

TEST(AboutBox, closesByEveryWayOut) {
    const struct {
        const char *name;
        std::function<void(AboutBox *)> close;
    } cases[] = {
        {"Enter",
         [](AboutBox *box) {
             QTest::keyClick(box, Qt::Key_Return);
         }},
        {"Esc",
         [](AboutBox *box) {
             QTest::keyClick(box, Qt::Key_Escape);
         }},
        {"Alt+C",
         [](AboutBox *box) {
             QTest::keyClick(box, Qt::Key_C, Qt::AltModifier);
         }},
        {"click",
         [](AboutBox *box) {
             QTest::mouseClick(box->closeButton, Qt::LeftButton);
         }},
        {"title-bar close",
         [](AboutBox *box) {
             box->close();
         }},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        AboutBox box(nullptr);
        box.open();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&box));
        c.close(&box);
        // The mnemonic presses the button the way a click would, a moment later.
        EXPECT_TRUE(QTest::qWaitFor([&] { return !box.isVisible(); }));
    }
}

} // namespace
