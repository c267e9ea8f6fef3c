#include "tests/e2e/ordinary_user.h"
#include "tests/editor/editor_fixture.h"
#include "tests/support/desktop_sandbox.h"
#include "tests/support/printers.h"

#include <QClipboard>
#include <QDirIterator>
#include <QFile>
#include <QGuiApplication>
#include <QLineEdit>
#include <QMap>
#include <QTest>

#include <gtest/gtest.h>

#include <atomic>
#include <cerrno>
#include <cstring>
#include <functional>
#include <optional>
#include <string>
#include <thread>

#include <sched.h>
#include <sys/mount.h>
#include <unistd.h>

using namespace Qt::StringLiterals;
using testsupport::ui;

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

// A file system of 64 KiB mounted over a folder, in a mount namespace of this thread's own, so
// that filling it touches nothing outside the test. It needs root; whyNot says why it is missing.
class SmallFileSystem {
public:
    explicit SmallFileSystem(const QString &folder) : folder_(folder.toLocal8Bit()) {
        if (geteuid() != 0) {
            whyNot = "mounting a file system needs root";
            return;
        }
        static const int namespaceError =
            ::unshare(CLONE_NEWNS) == 0 &&
                    ::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) == 0
                ? 0
                : errno;
        if (namespaceError != 0) {
            whyNot = std::string("no private mount namespace: ") + std::strerror(namespaceError);
            return;
        }
        if (::mount("tmpfs", folder_.constData(), "tmpfs", 0, "size=64k") != 0) {
            whyNot = std::string("cannot mount a small file system: ") + std::strerror(errno);
            return;
        }
        mounted_ = true;
    }
    ~SmallFileSystem() {
        if (mounted_)
            ::umount2(folder_.constData(), MNT_DETACH);
    }
    SmallFileSystem(const SmallFileSystem &) = delete;
    SmallFileSystem &operator=(const SmallFileSystem &) = delete;

    // Takes up all free space but blocksLeft blocks of 4 KiB with a file of its own; false when
    // the space never ran out.
    bool fill(int blocksLeft) const {
        QFile filler(QString::fromLocal8Bit(folder_) + u"/filler"_s);
        if (!filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
            return false;
        for (int block = 0; block < 1000; ++block) {
            if (filler.write(QByteArray(4096, 'x')) != 4096)
                return filler.resize(filler.size() - 4096 * blocksLeft);
        }
        return false;
    }

    std::string whyNot;

private:
    QByteArray folder_;
    bool mounted_ = false;
};

class FormFaultTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(fixture.dir.isValid());
        ASSERT_TRUE(openToEveryone(fixture.dir.path()));
    }

    QString at(const QString &relative) const { return fixture.dir.filePath(relative); }

    // The editor of a user whose desktop is folder: the user types a name, pastes itemPath into
    // the first row, types a delay and saves, which fails; an old batch of that name is replaced
    // when the user says Yes. The one message after that begins with reason and names the file,
    // no file changed, and the batch is still there and still unsaved.
    void expectSaveIntoFolderToFail(const QString &folder, const QString &reason,
                                    bool needsOrdinaryUser,
                                    const QString &itemPath = u"/usr/bin/env"_s) {
        fixture.services.desktopFolder = corePath(folder);
        const bool oldBatch = QFileInfo(folder + u"/Morning.rvq"_s).isFile();
        EditorWindow &editor = fixture.openEditor();
        const QMap<QString, QByteArray> before = snapshot(fixture.dir.path());
        const testsupport::EditorControls controls = ui(editor);
        QTest::keyClicks(controls.nameEdit, u"Morning"_s);
        QGuiApplication::clipboard()->setText(itemPath);
        QTest::keyClick(controls.pathEdits[0], Qt::Key_V, Qt::ControlModifier);
        testsupport::retype(controls.delayEdits[0], u"5"_s);
        ASSERT_TRUE(editor.isWindowModified());

        std::vector<testsupport::MessageRecorder::Shown> shown;
        {
            std::optional<OrdinaryUserScope> user;
            if (needsOrdinaryUser) {
                user.emplace();
                ASSERT_TRUE(user->isOrdinary());
                if (QFile(folder + u"/probe"_s).open(QIODevice::WriteOnly))
                    GTEST_SKIP() << "file permissions do not stop this user";
            }
            testsupport::MessageRecorder messages; // says Yes to replacing the old batch
            editor.logic().command(EditorCommand::Save);
            shown = messages.shown;
        }

        ASSERT_EQ(shown.size(), oldBatch ? 2u : 1u);
        if (oldBatch) {
            EXPECT_TRUE(shown[0].prompt.startsWith(u"A batch named Morning already exists"_s));
        }
        EXPECT_EQ(shown.back().title, u" Message"_s);
        EXPECT_TRUE(shown.back().prompt.startsWith(reason)) << shown.back().prompt.toStdString();
        EXPECT_TRUE(shown.back().prompt.contains(folder + u"/Morning.rvq"_s))
            << shown.back().prompt.toStdString();
        EXPECT_EQ(snapshot(fixture.dir.path()), before);
        EXPECT_TRUE(editor.isWindowModified());
        EXPECT_EQ(controls.nameEdit->text(), u"Morning"_s);
    }

    testsupport::EditorFixture fixture;
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
    expectSaveIntoFolderToFail(folder, fault.reason, fault.needsOrdinaryUser);
}

// The write itself fails for want of space, after the file was opened: nothing may be lost.
TEST_F(FormFaultTest, saveOnAFullDisk_saysSo_keepsTheOldFileAndTheChanges) {
    const struct {
        const char *what;
        bool oldBatch;
        int blocksLeft; // of 4 KiB
        QString itemPath;
    } cases[] = {
        {"a new batch", false, 0, u"/usr/bin/env"_s},
        {"over an old batch", true, 0, u"/usr/bin/env"_s},
        {"a batch larger than the room left", true, 1, u"/usr/bin/"_s + QString(6000, u'x')},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        const QString folder = at(QString::fromLatin1(c.what));
        ASSERT_TRUE(QDir().mkpath(folder));
        const SmallFileSystem disk(folder);
        if (!disk.whyNot.empty())
            GTEST_SKIP() << disk.whyNot;
        ASSERT_TRUE(!c.oldBatch || writeFile(folder + u"/Morning.rvq"_s, OldBatch));
        ASSERT_TRUE(disk.fill(c.blocksLeft));
        expectSaveIntoFolderToFail(folder, u"Disk full"_s, false, c.itemPath);
    }
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
    QByteArray fiveItems;
    for (int row = 0; row < MaxBatchItems; ++row)
        fiveItems += testsupport::batchItemBytes("/row/" + QByteArray::number(row));
    EditorWindow &editor = fixture.openEditorOn(fiveItems);
    const testsupport::EditorControls controls = ui(editor);
    ASSERT_EQ(controls.nameEdit->text(), u"Loaded"_s);
    ASSERT_FALSE(editor.isWindowModified());
    const QString path = at(u"Morning.rvq"_s);
    ASSERT_TRUE(fault.prepare(path));

    std::vector<testsupport::MessageRecorder::Shown> shown;
    {
        const OrdinaryUserScope user;
        if (fault.needsOrdinaryUser) {
            ASSERT_TRUE(user.isOrdinary());
            if (QFile(path).open(QIODevice::ReadOnly))
                GTEST_SKIP() << "file permissions do not stop this user";
        }
        testsupport::MessageRecorder messages;
        testsupport::loadBatch(editor, path);
        shown = messages.shown;
    }

    ASSERT_EQ(shown.size(), 1);
    EXPECT_EQ(shown[0].title, u" Message"_s);
    EXPECT_EQ(shown[0].prompt, fault.reason + u": "_s + path);
    EXPECT_EQ(controls.nameEdit->text(), u"Loaded"_s);
    for (int row = 0; row < MaxBatchItems; ++row)
        EXPECT_EQ(controls.pathEdits[row]->text(), u"/row/"_s + QString::number(row));
    EXPECT_FALSE(editor.logic().isLoading());
    EXPECT_FALSE(editor.isWindowModified());
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
    EditorWindow &form = fixture.make();
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
        testsupport::loadBatch(form, path);
        shown = messages.shown;
    }
    const bool writerStillBusy = !gaveUp;
    stop = true;
    writer.join();

    EXPECT_TRUE(writerStillBusy);
    ASSERT_EQ(shown.size(), 1);
    EXPECT_EQ(shown[0].prompt, u"Subscript out of range"_s);
    const testsupport::EditorControls controls = ui(form);
    for (int row = 0; row < MaxBatchItems; ++row)
        EXPECT_EQ(controls.pathEdits[row]->text(), u"/usr/bin/true"_s);
    EXPECT_TRUE(controls.nameEdit->text().isEmpty());
    EXPECT_FALSE(form.logic().isLoading());
}

} // namespace
