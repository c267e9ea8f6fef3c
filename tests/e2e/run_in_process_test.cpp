#include "tests/e2e/run_test.h"
#include "tests/editor/editor_fixture.h"
#include "tests/support/desktop_sandbox.h"
#include "tests/support/file_bytes.h"
#include "tests/support/printers.h"
#include "tests/support/scoped_variable.h"

#include "platform/raw_arguments.h"
#include "platform/shell.h"
#include "platform/window_states.h"

#include <QDateTime>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace std::string_view_literals;
using testsupport::ui;

namespace {

// The run with the desktop's own shell inside this process, where the message box can be
// answered like any other: the next item waits for the answer, then for its delay.
TEST(RunInProcess, itemThatCannotStart_isReportedWithItsPath_andTheNextStartsAfterTheAnswer) {
    DesktopSandbox sandbox{DesktopSandbox::Bus::None};
    ASSERT_TRUE(sandbox.isReady());
    const QString gone = sandbox.at(u"items/gone"_s);
    const QString next = sandbox.at(u"items/next"_s);
    ASSERT_TRUE(sandbox.addProgram(next));
    const QString batch = sandbox.writeBatch(u"Holes"_s, {{gone, u"0"_s}, {next, u"0"_s}});
    // The started program logs to where the sandbox's runs log.
    const testsupport::ScopedVariable logs("RUNVOY_TEST_LOGS",
                                           QFile::encodeName(sandbox.at(u"logs"_s)).toStdString());
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

// "/e" as the desktop or a shell hands it over: the batch named in bytes, which need not be text,
// or relative to the folder the program was started in.
struct EditedBatch {
    const char *name;
    std::string fileName;
    bool relative;
    QString shownName;
};

void PrintTo(const EditedBatch &batch, std::ostream *out) {
    *out << batch.name;
}

class EditInProcess : public ::testing::TestWithParam<EditedBatch> {};

TEST_P(EditInProcess, batchOnTheCommandLine_fillsTheRowsAndTheName) {
    const EditedBatch &batch = GetParam();
    testsupport::EditorFixture fixture;
    const std::filesystem::path folder = corePath(fixture.dir.path());
    testsupport::writeFile(folder / batch.fileName, testsupport::batchItem("/nowhere/first"sv));
    std::string path = batch.relative ? batch.fileName : (folder / batch.fileName).native();
    char program[] = "runvoy", edit[] = "/e";
    char *argv[] = {program, edit, path.data()};
    fixture.services.rawArguments = platform::rawArgumentText(3, argv);
    fixture.services.workingFolder = folder;

    const testsupport::MessageRecorder messages;
    const testsupport::EditorControls controls = ui(fixture.startEditor());

    EXPECT_TRUE(messages.prompts().isEmpty()) << messages.prompts().join(u'\n').toStdString();
    EXPECT_EQ(controls.pathEdits[0]->text(), u"/nowhere/first"_s);
    EXPECT_EQ(controls.nameEdit->text(), batch.shownName);
    // The fixture's folder cannot remove by a name that is not text.
    std::filesystem::remove(folder / batch.fileName);
}

INSTANTIATE_TEST_SUITE_P(
    Names, EditInProcess,
    ::testing::Values(EditedBatch{"relative", "Evening.rvq", true, u"Evening"_s},
                      EditedBatch{"notText", "name_\xe9\xff.rvq", false, u"name_\uFFFD\uFFFD"_s}),
    [](const auto &batch) { return std::string(batch.param.name); });

} // namespace
