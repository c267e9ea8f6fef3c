#include "core/document/output_folder.h"

#include "tests/support/printers.h"

#include <QDir>
#include <QFile>
#include <QStringList>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

TEST(OutputFolderWithoutDesktop, isTheProgramsOutputWhileTheUserMayWriteThere) {
    enum Present { Nothing, Folder, File };
    const struct {
        const char *what;
        const char *programFolder;
        Present output;
        QStringList writable; // relative to the test folder
        bool inUserData;
    } cases[] = {
        {"writable program folder, no Output yet", "program", Nothing, {u"program"_s}, false},
        {"writable Output in a read-only program folder",
         "program",
         Folder,
         {u"program/Output"_s},
         false},
        {"a file named Output, kept for saving to fail on",
         "program",
         File,
         {u"program/Output"_s},
         false},
        {"read-only program folder", "program", Nothing, {}, true},
        {"read-only Output in a writable program folder", "program", Folder, {u"program"_s}, true},
        {"no program folder", "missing", Nothing, {}, true},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        QTemporaryDir dir;
        const QString program = dir.filePath(QString::fromLatin1(c.programFolder));
        QDir().mkpath(dir.filePath(u"program"_s));
        if (c.output == Folder)
            QDir().mkpath(program + u"/Output"_s);
        if (c.output == File) {
            QFile file(program + u"/Output"_s);
            ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        }
        QStringList asked;
        const auto mayWrite = [&](const QString &path) {
            asked << path;
            return c.writable.contains(QDir(dir.path()).relativeFilePath(path));
        };

        const QString data = dir.filePath(u"data"_s);
        EXPECT_EQ(outputFolderWithoutDesktop(program, data, mayWrite),
                  c.inUserData ? data + u"/runvoy/Output"_s : program + u"/Output"_s);
        EXPECT_EQ(asked.size(), 1);
    }
}

TEST(OutputFolderWithoutDesktop, takesTheUsersOwnDataFolderFromTheEnvironment) {
    QTemporaryDir dir;
    const QByteArray saved = qgetenv("XDG_DATA_HOME");
    qputenv("XDG_DATA_HOME", QFile::encodeName(dir.filePath(u"data"_s)));
    // Nobody may write into a folder that does not exist, root included.
    const QString missing = dir.filePath(u"missing"_s);
    EXPECT_EQ(outputFolderWithoutDesktop(missing), dir.filePath(u"data/runvoy/Output"_s));
    EXPECT_EQ(outputFolderWithoutDesktop(dir.path()), dir.filePath(u"Output"_s));
    if (saved.isNull())
        qunsetenv("XDG_DATA_HOME");
    else
        qputenv("XDG_DATA_HOME", saved);
}
