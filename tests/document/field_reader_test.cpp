#include "core/document/field_reader.h"
#include "core/document/program_error.h"

#include <QFile>
#include <QTemporaryDir>

#include "tests/support/printers.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

// Reads every field until the reader says the text is at its end; the error text when it fails.
struct ReadOutcome {
    QStringList fields;
    QString error;
};

ReadOutcome readAll(const QByteArray &bytes) {
    QTemporaryDir dir;
    const QString path = dir.filePath(u"odd.rvq"_s);
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
    file.close();
    ReadOutcome outcome;
    try {
        FieldReader reader = FieldReader::open(path);
        while (!reader.atEnd())
            outcome.fields << reader.readField();
    } catch (const ProgramError &failure) {
        outcome.error = failure.description();
    }
    return outcome;
}

} // namespace

TEST(FieldReader, readsWhatTheWriterWritesAndOddInputSensibly) {
    const struct {
        const char *what;
        QByteArray bytes;
        QStringList fields; // read before the failure, if there is one
        QString errorStart; // empty when reading succeeds
    } cases[] = {
        {"written form",
         "\"/bin/x\"\r\n\"5\"\r\n\"Normal\"\r\n",
         {u"/bin/x"_s, u"5"_s, u"Normal"_s},
         {}},
        {"empty file", "", {}, {}},
        {"empty quoted value", "\"\"\r\n", {u""_s}, {}},
        {"comma inside quotes", "\"a,b\"\r\n", {u"a,b"_s}, {}},
        {"commas separate fields", "\"a\",\"b\",c\r\n", {u"a"_s, u"b"_s, u"c"_s}, {}},
        {"unquoted values", "/bin/x\r\n5\r\nNormal\r\n", {u"/bin/x"_s, u"5"_s, u"Normal"_s}, {}},
        {"a comma ends an unquoted value",
         "/home/me/notes, draft.txt\r\n",
         {u"/home/me/notes"_s, u"draft.txt"_s},
         {}},
        {"blanks around values", "  \"a\"  \r\n\t b \t\r\n", {u"a"_s, u"b"_s}, {}},
        {"blank lines are no fields", "\"a\"\r\n\r\n  \r\n\"b\"\r\n", {u"a"_s, u"b"_s}, {}},
        {"trailing blank text", "\"a\"\r\n \t\r\n\r\n  ", {u"a"_s}, {}},
        {"LF line ends", "\"a\"\n\"b\"\n", {u"a"_s, u"b"_s}, {}},
        {"CR line ends", "\"a\"\r\"b\"\r", {u"a"_s, u"b"_s}, {}},
        {"no final line end", "\"a\"\r\n\"b\"", {u"a"_s, u"b"_s}, {}},
        {"missing closing quote", "\"a\r\n\"b\r\n", {}, u"Invalid file format"_s},
        {"unclosed at the end", "\"a\"\r\n\"b", {u"a"_s}, u"Invalid file format"_s},
        {"text after a quoted value", "\"a\"b\r\n", {}, u"Invalid file format"_s},
        {"binary bytes", QByteArray("\"a\xff\xfe\"\r\n"), {}, u"Invalid file format"_s},
        {"NUL inside a value", QByteArray("\"a\0b\"\r\n", 7), {QString::fromUtf8("a\0b", 3)}, {}},
        {"UTF-8 text", "\"/home/m\xc3\xbc/x\"\r\n", {u"/home/m\u00fc/x"_s}, {}},
        {"byte order mark", "\xef\xbb\xbf\"a\"\r\n", {u"a"_s}, {}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        const ReadOutcome outcome = readAll(c.bytes);
        EXPECT_EQ(outcome.fields, c.fields);
        if (c.errorStart.isEmpty())
            EXPECT_EQ(outcome.error, QString());
        else
            EXPECT_TRUE(outcome.error.startsWith(c.errorStart)) << outcome.error.toStdString();
    }
}

TEST(FieldReader, refusesAValueLongerThanTheEditorHolds) {
    const QByteArray longLine = '"' + QByteArray(1024 * 1024, 'x') + "\"\r\n";
    const ReadOutcome outcome = readAll(longLine);
    EXPECT_TRUE(outcome.error.contains(u"too long"_s)) << outcome.error.toStdString();

    const QByteArray justFits = '"' + QByteArray(FieldReader::MaxFieldLength, 'x') + "\"\r\n";
    EXPECT_EQ(readAll(justFits).fields.value(0).size(), FieldReader::MaxFieldLength);
}

TEST(FieldReader, readingPastTheEndFails) {
    FieldReader reader(u"\"a\"\r\n"_s, u"/x.rvq"_s);
    EXPECT_EQ(reader.readField(), u"a"_s);
    EXPECT_TRUE(reader.atEnd());
    try {
        reader.readField();
        FAIL() << "read past the end";
    } catch (const ProgramError &failure) {
        EXPECT_EQ(failure.description(), u"Input past end of file: /x.rvq"_s);
    }
}

TEST(FieldReader, tellsWhyAFileCannotBeRead) {
    QTemporaryDir dir;
    const auto errorFor = [](const QString &path) {
        try {
            FieldReader::open(path);
        } catch (const ProgramError &failure) {
            return failure.description();
        }
        return QString();
    };
    EXPECT_EQ(errorFor(dir.filePath(u"gone.rvq"_s)),
              u"File not found: "_s + dir.filePath(u"gone.rvq"_s));
    EXPECT_TRUE(errorFor(dir.filePath(u"no/such.rvq"_s)).startsWith(u"Path not found"_s));
    EXPECT_TRUE(errorFor(dir.path()).startsWith(u"Path/File access error"_s));
    EXPECT_TRUE(errorFor(u"/dev/zero"_s).startsWith(u"Path/File access error"_s));

    const QString huge = dir.filePath(u"huge.rvq"_s);
    QFile big(huge);
    ASSERT_TRUE(big.open(QIODevice::WriteOnly));
    ASSERT_TRUE(big.resize(FieldReader::MaxFileSize + 1));
    big.close();
    EXPECT_TRUE(errorFor(huge).contains(u"too large"_s));

    const QString locked = dir.filePath(u"locked.rvq"_s);
    QFile file(locked);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    file.setPermissions(QFileDevice::WriteOwner);
    if (QFile(locked).open(QIODevice::ReadOnly))
        GTEST_SKIP() << "running with rights that ignore file permissions";
    EXPECT_TRUE(errorFor(locked).startsWith(u"Permission denied"_s));
}
