#include "core/document/field_reader.h"
#include "core/document/program_error.h"
#include "platform/batch_text.h"

#include "tests/support/named_rows.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using Fields = std::vector<std::string>;

// Every field until the reader says the text is at its end, and the error when it fails.
struct ReadOutcome {
    Fields fields;
    std::string error;
};

ReadOutcome readAll(std::string_view bytes) {
    ReadOutcome outcome;
    try {
        FieldReader reader = FieldReader::fromBytes(bytes, "/x/odd.rvq");
        while (!reader.atEnd())
            outcome.fields.push_back(reader.readField());
    } catch (const ProgramError &failure) {
        outcome.error = failure.description();
    }
    return outcome;
}

struct FieldRow {
    const char *name;
    std::string bytes;
    Fields fields;          // read before the failure, if there is one
    std::string errorStart; // empty when reading succeeds
};

class FieldReaderReads : public testing::TestWithParam<FieldRow> {};

TEST_P(FieldReaderReads, whatTheWriterWritesAndOddInputSensibly) {
    if (GetParam().name == std::string_view("binary_bytes") &&
        platform::textFromBatchBytes(GetParam().bytes))
        GTEST_SKIP() << "every byte is a character of the system's code page";
    const ReadOutcome outcome = readAll(GetParam().bytes);
    EXPECT_EQ(outcome.fields, GetParam().fields);
    if (GetParam().errorStart.empty())
        EXPECT_EQ(outcome.error, "");
    else
        EXPECT_TRUE(outcome.error.starts_with(GetParam().errorStart)) << outcome.error;
}

// "é" as a batch file holds it: one byte in Wine's ANSI code page (1252), two in UTF-8.
#ifdef _WIN32
const std::string EAcute = "\xe9";
#else
const std::string EAcute = "\xc3\xa9";
#endif

INSTANTIATE_TEST_SUITE_P(
    Table, FieldReaderReads,
    testing::Values(
        FieldRow{
            "written_form", "\"/bin/x\"\r\n\"5\"\r\n\"Normal\"\r\n", {"/bin/x", "5", "Normal"}, ""},
        FieldRow{"empty_file", "", {}, ""}, FieldRow{"empty_quoted_value", "\"\"\r\n", {""}, ""},
        FieldRow{"comma_inside_quotes", "\"a,b\"\r\n", {"a,b"}, ""},
        FieldRow{"commas_separate_fields", "\"a\",\"b\",c\r\n", {"a", "b", "c"}, ""},
        FieldRow{"unquoted_values", "/bin/x\r\n5\r\nNormal\r\n", {"/bin/x", "5", "Normal"}, ""},
        FieldRow{"a_comma_ends_an_unquoted_value",
                 "/home/me/notes, draft.txt\r\n",
                 {"/home/me/notes", "draft.txt"},
                 ""},
        FieldRow{"blanks_around_values", "  \"a\"  \r\n\t b \t\r\n", {"a", "b"}, ""},
        FieldRow{"blank_lines_are_no_fields", "\"a\"\r\n\r\n  \r\n\"b\"\r\n", {"a", "b"}, ""},
        FieldRow{"trailing_blank_text", "\"a\"\r\n \t\r\n\r\n  ", {"a"}, ""},
        FieldRow{"lf_line_ends", "\"a\"\n\"b\"\n", {"a", "b"}, ""},
        FieldRow{"cr_line_ends", "\"a\"\r\"b\"\r", {"a", "b"}, ""},
        FieldRow{"no_final_line_end", "\"a\"\r\n\"b\"", {"a", "b"}, ""},
        FieldRow{"missing_closing_quote", "\"a\r\n\"b\r\n", {}, "Invalid file format"},
        FieldRow{"unclosed_at_the_end", "\"a\"\r\n\"b", {"a"}, "Invalid file format"},
        FieldRow{"text_after_a_quoted_value", "\"a\"b\r\n", {}, "Invalid file format"},
        FieldRow{"binary_bytes", "\"a\xff\xfe\"\r\n", {}, "Invalid file format"},
        FieldRow{
            "nul_inside_a_value", std::string("\"a\0b\"\r\n", 7), {std::string("a\0b", 3)}, ""},
        FieldRow{"text_beyond_ascii", "\"/home/caf" + EAcute + "\"\r\n", {"/home/café"}, ""},
        FieldRow{"byte_order_mark", "\xef\xbb\xbf\"a\"\r\n", {"a"}, ""}),
    testsupport::RowName());

TEST(FieldReader, refusesAValueLongerThanTheEditorHoldsCountedInCharacters) {
    const ReadOutcome tooLong = readAll('"' + std::string(1024 * 1024, 'x') + "\"\r\n");
    EXPECT_TRUE(tooLong.error.find("too long") != std::string::npos) << tooLong.error;

    std::string justFits;
    std::string justFitsBytes;
    for (std::size_t i = 0; i < FieldReader::MaxFieldLength; ++i) {
        justFits += "é";
        justFitsBytes += EAcute;
    }
    EXPECT_EQ(readAll('"' + justFitsBytes + "\"\r\n").fields, Fields{justFits});
}

TEST(FieldReader, readingPastTheEndFails) {
    FieldReader reader("\"a\"\r\n", "/x.rvq");
    EXPECT_EQ(reader.readField(), "a");
    EXPECT_TRUE(reader.atEnd());
    try {
        reader.readField();
        FAIL() << "read past the end";
    } catch (const ProgramError &failure) {
        EXPECT_EQ(failure.description(), "Input past end of file: /x.rvq");
    }
}

} // namespace
