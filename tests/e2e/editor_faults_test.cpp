#include "tests/e2e/ordinary_user.h"
#include "tests/e2e/run_sandbox.h"
#include "tests/editor/form1_fixture.h"
#include "tests/support/printers.h"

#include <QDirIterator>
#include <QFile>
#include <QLineEdit>
#include <QMap>

#include <gtest/gtest.h>

#include <atomic>
#include <functional>
#include <thread>

using namespace Qt::StringLiterals;

namespace {

const QByteArray OldBatch = "\"/usr/bin/true\"\r\n\"0\"\r\n\"Normal\"\r\n";

// Every file and folder under root with its bytes: what a failed save must leave untouched.
QMap<QString, QByteArray> snapshot(const QString &root) {
    QMap<QString, QByteArray> found;
    QDirIterator entries(root, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden,
                         QDirIterator::Subdirectories);
    while (entries.hasNext()) {
        const QString path = entries.next();
        QFile file(path);
        found[path] = entries.fileInfo().isDir()       ? QByteArray("<folder>")
                      : file.open(QIODevice::ReadOnly) ? file.readAll()
                                                       : QByteArray("<unreadable>");
    }
    return found;
}

bool lockFolder(const QString &folder) {
    return QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner | QFile::ReadGroup |
                                             QFile::ExeGroup | QFile::ReadOther | QFile::ExeOther);
}

// The test folder itself is root's alone; an ordinary user must at least reach into it.
bool openToEveryone(const QString &folder) {
    return QFile::setPermissions(folder, QFile::permissions(folder) | QFile::ReadOther |
                                             QFile::ExeOther | QFile::ReadGroup | QFile::ExeGroup);
}

class FormFaultTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(fixture.dir.isValid());
        ASSERT_TRUE(openToEveryone(fixture.dir.path()));
        form = &fixture.make();
    }

    QString at(const QString &relative) const { return fixture.dir.filePath(relative); }

    testsupport::Form1Fixture fixture;
    Form1 *form = nullptr;
};

struct SaveFault {
    const char *name;
    const char *outputFolder; // relative to the test folder
    std::function<bool(const QString &folder)> prepare;
    bool needsOrdinaryUser;
    QString reason; // how the message begins
};

void PrintTo(const SaveFault &fault, std::ostream *out) {
    *out << fault.name;
}

class SaveFaultTest : public FormFaultTest, public ::testing::WithParamInterface<SaveFault> {};

TEST_P(SaveFaultTest, saveThatCannotWrite_saysWhy_keepsTheOldFileAndTheChanges) {
    const SaveFault &fault = GetParam();
    const QString folder = at(QString::fromLatin1(fault.outputFolder));
    ASSERT_TRUE(fault.prepare(folder));
    const QMap<QString, QByteArray> before = snapshot(fixture.dir.path());
    form->OutputFolder = folder + u'/';
    form->Text1->setText(u"Morning"_s);
    form->Text2[0]->setText(u"/usr/bin/env"_s);
    form->Text3[0]->setText(u"5"_s);
    ASSERT_TRUE(form->DocChanged);

    std::vector<testsupport::MessageRecorder::Shown> shown;
    {
        const OrdinaryUserScope user;
        if (fault.needsOrdinaryUser) {
            ASSERT_TRUE(user.isOrdinary());
            if (QFile(folder + u"/probe"_s).open(QIODevice::WriteOnly))
                GTEST_SKIP() << "file permissions do not stop this user";
        }
        testsupport::MessageRecorder messages;
        form->Toolbar1_ButtonClick(u"save"_s);
        shown = messages.shown;
    }

    ASSERT_EQ(shown.size(), 1);
    EXPECT_EQ(shown[0].title, u" Message"_s);
    EXPECT_TRUE(shown[0].prompt.startsWith(fault.reason)) << shown[0].prompt.toStdString();
    EXPECT_TRUE(shown[0].prompt.contains(folder + u"/Morning.rvq"_s))
        << shown[0].prompt.toStdString();
    EXPECT_EQ(snapshot(fixture.dir.path()), before);
    EXPECT_TRUE(form->DocChanged);
    EXPECT_EQ(form->Text1->text(), u"Morning"_s);
}

bool lockedFolderWithOldBatch(const QString &folder) {
    return QDir().mkpath(folder) && writeFile(folder + u"/Morning.rvq"_s, OldBatch) &&
           lockFolder(folder);
}

bool nothingThere(const QString &) {
    return true;
}

bool folderNamedLikeTheBatch(const QString &folder) {
    return QDir().mkpath(folder + u"/Morning.rvq"_s) &&
           writeFile(folder + u"/Morning.rvq/kept.txt"_s, "kept\n");
}

INSTANTIATE_TEST_SUITE_P(
    Folders, SaveFaultTest,
    ::testing::Values(SaveFault{"readOnlyFolder", "locked", lockedFolderWithOldBatch, true,
                                u"Permission denied"_s},
                      SaveFault{"missingFolder", "gone", nothingThere, false, u"Path not found"_s},
                      SaveFault{"folderNamedLikeTheBatch", "output", folderNamedLikeTheBatch, false,
                                u"Path/File access error"_s}),
    [](const auto &fault) { return std::string(fault.param.name); });

struct LoadFault {
    const char *name;
    std::function<bool(const QString &path)> prepare;
    bool needsOrdinaryUser;
    QString reason;
};

void PrintTo(const LoadFault &fault, std::ostream *out) {
    *out << fault.name;
}

class LoadFaultTest : public FormFaultTest, public ::testing::WithParamInterface<LoadFault> {};

TEST_P(LoadFaultTest, fileThatCannotBeRead_saysWhyAndLeavesTheEditorAsItWas) {
    const LoadFault &fault = GetParam();
    const QString path = at(u"Morning.rvq"_s);
    ASSERT_TRUE(fault.prepare(path));
    form->Text1->setText(u"Before"_s);
    for (int row = 0; row < Form1::RowCount; ++row)
        form->Text2[row]->setText(u"/row/"_s + QString::number(row));
    form->DocChanged = false;

    std::vector<testsupport::MessageRecorder::Shown> shown;
    {
        const OrdinaryUserScope user;
        if (fault.needsOrdinaryUser) {
            ASSERT_TRUE(user.isOrdinary());
            if (QFile(path).open(QIODevice::ReadOnly))
                GTEST_SKIP() << "file permissions do not stop this user";
        }
        testsupport::MessageRecorder messages;
        form->LoadBatch(path);
        shown = messages.shown;
    }

    ASSERT_EQ(shown.size(), 1);
    EXPECT_EQ(shown[0].title, u" Message"_s);
    EXPECT_EQ(shown[0].prompt, fault.reason + u": "_s + path);
    EXPECT_EQ(form->Text1->text(), u"Before"_s);
    for (int row = 0; row < Form1::RowCount; ++row)
        EXPECT_EQ(form->Text2[row]->text(), u"/row/"_s + QString::number(row));
    EXPECT_FALSE(form->Loading);
    EXPECT_FALSE(form->DocChanged);
}

bool unreadableBatch(const QString &path) {
    return writeFile(path, OldBatch) && QFile::setPermissions(path, QFile::WriteOwner);
}

bool folderInsteadOfBatch(const QString &path) {
    return QDir().mkpath(path);
}

INSTANTIATE_TEST_SUITE_P(Files, LoadFaultTest,
                         ::testing::Values(LoadFault{"withoutReadPermission", unreadableBatch, true,
                                                     u"Permission denied"_s},
                                           LoadFault{"folder", folderInsteadOfBatch, false,
                                                     u"Path/File access error"_s}),
                         [](const auto &fault) { return std::string(fault.param.name); });

// Another program keeps appending whole items while the batch is loaded. The load works on what
// it read and ends while the writer is still busy: it neither waits for an end that may never
// come nor reads a half-written item as a whole one.
TEST_F(FormFaultTest, fileThatGrowsWhileBeingRead_loadEndsOnWhatItReadAndSaysWhy) {
    const QString path = at(u"Growing.rvq"_s);
    const QByteArray oneItem = "\"/usr/bin/true\"\r\n\"0\"\r\n\"Normal\"\r\n";
    ASSERT_TRUE(writeFile(path, oneItem.repeated(2)));
    std::atomic<bool> stop = false;
    std::atomic<bool> gaveUp = false;
    std::thread writer([&] {
        QFile file(path);
        if (!file.open(QIODevice::Append))
            return;
        // Bounded, so that a loader that waits for the end still ends the test.
        for (int i = 0; i < 2000000 && !stop; ++i) {
            file.write(oneItem);
            file.flush();
        }
        gaveUp = !stop;
    });
    while (QFileInfo(path).size() < 6 * oneItem.size())
        std::this_thread::yield();

    std::vector<testsupport::MessageRecorder::Shown> shown;
    {
        testsupport::MessageRecorder messages;
        form->LoadBatch(path);
        shown = messages.shown;
    }
    const bool writerStillBusy = !gaveUp;
    stop = true;
    writer.join();

    EXPECT_TRUE(writerStillBusy);
    ASSERT_EQ(shown.size(), 1);
    EXPECT_EQ(shown[0].prompt, u"Subscript out of range"_s);
    for (int row = 0; row < Form1::RowCount; ++row)
        EXPECT_EQ(form->Text2[row]->text(), u"/usr/bin/true"_s);
    EXPECT_TRUE(form->Text1->text().isEmpty());
    EXPECT_FALSE(form->Loading);
}

} // namespace
