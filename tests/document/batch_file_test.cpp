#include "document/batch_file.h"
#include "document/field_reader.h"
#include "document/program_error.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "tests/support/printers.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

std::vector<BatchRow> morningRows() {
    return {
        {u"C:\\Tools\\editor.exe"_s, u"0"_s, u"Normal"_s},
        {u""_s, u"9"_s, u"Maximized"_s},
        {u"D:\\Docs\\notes.txt"_s, u"5"_s, u"Maximized"_s},
        {u""_s, u"0"_s, u"Normal"_s},
        {u""_s, u"0"_s, u"Normal"_s},
    };
}

QByteArray contents(const QString &path) {
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly));
    return file.readAll();
}

QString saveError(const QString &path, const std::vector<BatchRow> &rows) {
    try {
        writeBatchFileAtomically(path, rows);
    } catch (const ProgramError &failure) {
        return failure.description();
    }
    return {};
}

} // namespace

TEST(BatchFile, writesTheMorningExampleByteForByte) {
    QTemporaryDir dir;
    const QString path = dir.filePath(u"Morning.rvq"_s);
    writeBatchFileAtomically(path, morningRows());
    const QByteArray expected = "\"C:\\Tools\\editor.exe\"\r\n\"0\"\r\n\"Normal\"\r\n"
                                "\"D:\\Docs\\notes.txt\"\r\n\"5\"\r\n\"Maximized\"\r\n";
    EXPECT_EQ(contents(path), expected);
    EXPECT_EQ(contents(path).size(), 77);
}

TEST(BatchFile, readsBackExactlyWhatWasWritten) {
    QTemporaryDir dir;
    const QString path = dir.filePath(u"Trip.rvq"_s);
    const std::vector<BatchRow> rows = {
        {u"/home/me/a, b $x `y` 'q'.sh"_s, u""_s, u"Minimized"_s},
        {u"/home/m\u00fc/\u65e5\u672c.txt"_s, u"2.5"_s, u"normal"_s},
        {u"/x"_s, u"soon"_s, u"Maximized"_s},
    };
    writeBatchFileAtomically(path, rows);
    FieldReader reader = FieldReader::open(path);
    for (const BatchRow &row : rows) {
        ASSERT_FALSE(reader.atEnd());
        EXPECT_EQ(reader.readField(), row.path);
        EXPECT_EQ(reader.readField(), row.delay);
        EXPECT_EQ(reader.readField(), row.state);
    }
    EXPECT_TRUE(reader.atEnd());
}

TEST(BatchFile, refusesValuesItCannotHoldAndKeepsTheOldFile) {
    QTemporaryDir dir;
    const QString path = dir.filePath(u"Keep.rvq"_s);
    writeBatchFileAtomically(path, morningRows());
    const QByteArray before = contents(path);

    const struct {
        const char *what;
        BatchRow row;
    } cases[] = {
        {"double quote", {u"/tmp/say \"hi\""_s, u"0"_s, u"Normal"_s}},
        {"line break", {u"/tmp/a\nb"_s, u"0"_s, u"Normal"_s}},
        {"unencodable character", {u"/tmp/"_s + QChar(0xD800), u"0"_s, u"Normal"_s}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_FALSE(saveError(path, {c.row}).isEmpty());
        EXPECT_EQ(contents(path), before);
    }
}

TEST(BatchFile, reportsFoldersThatCannotTakeTheFile) {
    QTemporaryDir dir;
    const QString missing = dir.filePath(u"gone/Morning.rvq"_s);
    EXPECT_TRUE(saveError(missing, morningRows()).startsWith(u"Path not found"_s));

    const QString folderInTheWay = dir.filePath(u"Morning.rvq"_s);
    ASSERT_TRUE(QDir(dir.path()).mkdir(u"Morning.rvq"_s));
    EXPECT_TRUE(saveError(folderInTheWay, morningRows()).startsWith(u"Path/File access error"_s));
    EXPECT_TRUE(QFileInfo(folderInTheWay).isDir());
}
