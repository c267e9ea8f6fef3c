#include "core/document/batch_file.h"
#include "core/document/field_reader.h"
#include "core/document/program_error.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "tests/support/printers.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

Batch morningRows() {
    return {u"Morning"_s,
            {
                {u"C:\\Tools\\editor.exe"_s, u"0"_s, WindowState::Normal},
                {u""_s, u"9"_s, WindowState::Maximized},
                {u"D:\\Docs\\notes.txt"_s, u"5"_s, WindowState::Maximized},
                {u""_s, u"0"_s, WindowState::Normal},
                {u""_s, u"0"_s, WindowState::Normal},
            }};
}

QByteArray contents(const QString &path) {
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly));
    return file.readAll();
}

QString saveError(const QString &path, const Batch &batch) {
    try {
        writeBatchFileAtomically(path, batch);
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
    const Batch batch = {u"Trip"_s,
                         {
                             {u"/home/me/a, b $x `y` 'q'.sh"_s, u""_s, WindowState::Minimized},
                             {u"/home/m\u00fc/\u65e5\u672c.txt"_s, u"2.5"_s, std::nullopt},
                             {u"/x"_s, u"soon"_s, WindowState::Maximized},
                         }};
    writeBatchFileAtomically(path, batch);
    const BatchFileReading reading = readBatchFile(path);
    EXPECT_FALSE(reading.failure);
    EXPECT_EQ(reading.batch.name, batch.name);
    ASSERT_EQ(reading.batch.items.size(), batch.items.size());
    for (std::size_t i = 0; i < batch.items.size(); ++i) {
        EXPECT_EQ(reading.batch.items[i].path, batch.items[i].path);
        EXPECT_EQ(reading.batch.items[i].delay, batch.items[i].delay);
        EXPECT_EQ(reading.batch.items[i].state, batch.items[i].state);
    }
}

// A failure keeps what was read before it, the fields of the item it cut short included; the
// name comes only with the whole file.
TEST(BatchFile, readingThatFailsKeepsWhatItReadBeforeTheFailure) {
    const QByteArray item = "\"/a\"\r\n\"1\"\r\n\"Normal\"\r\n";
    const struct {
        const char *what;
        QByteArray bytes;
        std::size_t items;
        QStringList cutShort;
        QString failure; // how its description begins; empty for none
    } cases[] = {
        {"whole", item + item, 2, {}, {}},
        {"empty", "", 0, {}, {}},
        {"cut after a path", item + "\"/b\"\r\n", 1, {u"/b"_s}, u"Input past end of file"_s},
        {"damaged state",
         item + "\"/b\"\r\n\"2\"\r\n\"Nor",
         1,
         {u"/b"_s, u"2"_s},
         u"Invalid file format"_s},
        {"six items", item.repeated(6), 5, {}, u"Subscript out of range"_s},
        {"not text", "\"/\xff\"", 0, {}, u"Invalid file format"_s},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        const BatchFileReading reading = readBatchFileBytes(c.bytes, u"/x/Morning.rvq"_s);
        EXPECT_EQ(reading.batch.items.size(), c.items);
        EXPECT_EQ(reading.cutShort, c.cutShort);
        EXPECT_EQ(reading.batch.name, c.failure.isEmpty() ? u"Morning"_s : QString());
        ASSERT_EQ(reading.failure.has_value(), !c.failure.isEmpty());
        if (reading.failure) {
            EXPECT_TRUE(reading.failure->description().startsWith(c.failure))
                << reading.failure->description().toStdString();
        }
    }
}

TEST(BatchFile, refusesValuesItCannotHoldAndKeepsTheOldFile) {
    QTemporaryDir dir;
    const QString path = dir.filePath(u"Keep.rvq"_s);
    writeBatchFileAtomically(path, morningRows());
    const QByteArray before = contents(path);

    const struct {
        const char *what;
        BatchItem row;
    } cases[] = {
        {"double quote", {u"/tmp/say \"hi\""_s, u"0"_s, WindowState::Normal}},
        {"line break", {u"/tmp/a\nb"_s, u"0"_s, WindowState::Normal}},
        {"unencodable character", {u"/tmp/"_s + QChar(0xD800), u"0"_s, WindowState::Normal}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_FALSE(saveError(path, {u"Keep"_s, {c.row}}).isEmpty());
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
