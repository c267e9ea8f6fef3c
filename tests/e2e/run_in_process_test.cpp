#include "tests/e2e/run_sandbox.h"
#include "tests/e2e/run_test.h"
#include "tests/editor/editor_fixture.h"
#include "tests/support/printers.h"

#include "platform/shell.h"
#include "platform/window_states.h"

#include <QDateTime>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

// The run with the desktop's own shell inside this process, where the message box can be
// answered like any other: the next item waits for the answer, then for its delay.
TEST(RunInProcess, itemThatCannotStart_isReportedWithItsPath_andTheNextStartsAfterTheAnswer) {
    RunSandbox sandbox;
    ASSERT_TRUE(sandbox.isReady());
    const QString gone = sandbox.at(u"items/gone"_s);
    const QString next = sandbox.at(u"items/next"_s);
    ASSERT_TRUE(sandbox.addProgram(next));
    const QString batch = sandbox.writeBatch(u"Holes"_s, {{gone, u"0"_s}, {next, u"0"_s}});
    // The started program logs to where the sandbox's runs log.
    qputenv("RUNVOY_E2E_LOG", QFile::encodeName(sandbox.at(u"starts.log"_s)));
    const std::unique_ptr<platform::WindowStates> states = platform::makeWindowStates();
    const std::unique_ptr<platform::Shell> shell = platform::makeDesktopShell(*states);
    testsupport::EditorFixture fixture;
    fixture.services.shell = shell.get();
    fixture.services.rawArguments = coreText(u"/o \""_s + batch + u'"');

    struct Shown {
        QString title;
        QString prompt;
        qint64 answeredAtMs;
    };
    QList<Shown> shown;
    int status = -1;
    {
        const testsupport::ModalAnswerer answerer([&](QWidget *box) {
            const Message &asked = fixture.widgets.messages.back();
            shown.append(
                {qtText(asked.title), qtText(asked.prompt), QDateTime::currentMSecsSinceEpoch()});
            if (auto *ok = box->findChild<QPushButton *>(u"button0"_s))
                QTest::mouseClick(ok, Qt::LeftButton);
            else
                box->close();
        });
        status = fixture.start();
    }
    const QList<ItemStart> starts = sandbox.waitForStarts(1);
    qunsetenv("RUNVOY_E2E_LOG");

    ASSERT_EQ(shown.size(), 1);
    EXPECT_EQ(shown[0].title, u"Message from Runvoy"_s);
    EXPECT_EQ(shown[0].prompt, gone + u" is an invalid file or folder name.  You will need to edit "
                                      u"this .rvq file for this item to work."_s);
    ASSERT_EQ(starts.size(), 1);
    EXPECT_EQ(starts[0].path, next);
    EXPECT_GE(starts[0].atMs - shown[0].answeredAtMs, 1000 - SlackMs);
    EXPECT_EQ(status, 0);
    EXPECT_EQ(fixture.widgets.editorsOpened, 0);
}

} // namespace
