#include "core/document/field_reader.h"

#include "core/document/program_error.h"
#include "core/document/utf8.h"
#include "platform/batch_text.h"

namespace {

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}
bool isLineEnd(char c) {
    return c == '\r' || c == '\n';
}

std::string_view trimmed(std::string_view text) {
    // Any white space around an unquoted value is no part of it.
    constexpr std::string_view Space = " \t\r\n\v\f";
    const std::size_t first = text.find_first_not_of(Space);
    if (first == std::string_view::npos)
        return {};
    return text.substr(first, text.find_last_not_of(Space) - first + 1);
}

} // namespace

FieldReader FieldReader::fromBytes(std::string_view bytes, const std::filesystem::path &path) {
    std::optional<std::string> text = platform::textFromBatchBytes(bytes);
    if (!text)
        throw ProgramError::invalidFileFormat(path, "not text in the system's encoding");
    // Some editors start a UTF-8 file with a byte order mark; it is no part of the first value.
    constexpr std::string_view ByteOrderMark = "\xEF\xBB\xBF";
    if (text->starts_with(ByteOrderMark))
        text->erase(0, ByteOrderMark.size());
    return FieldReader(std::move(*text), path);
}

FieldReader::FieldReader(std::string text, std::filesystem::path path)
    : text_(std::move(text)), path_(std::move(path)) {}

bool FieldReader::atEnd() {
    skipBlanksAndLineEnds();
    return pos_ >= text_.size();
}

std::string FieldReader::readField() {
    skipBlanksAndLineEnds();
    if (pos_ >= text_.size())
        throw ProgramError::inputPastEndOfFile(path_);

    std::string value;
    if (text_[pos_] == '"') {
        const std::size_t closing = text_.find('"', pos_ + 1);
        if (closing == std::string::npos)
            throw ProgramError::invalidFileFormat(path_, "a value has no closing quote");
        value = text_.substr(pos_ + 1, closing - pos_ - 1);
        pos_ = closing + 1;
        skipBlanks();
        if (pos_ < text_.size() && text_[pos_] != ',' && !atLineEnd())
            throw ProgramError::invalidFileFormat(path_, "text follows a quoted value");
    } else {
        const std::size_t start = pos_;
        while (pos_ < text_.size() && text_[pos_] != ',' && !atLineEnd())
            ++pos_;
        value = trimmed(std::string_view(text_).substr(start, pos_ - start));
    }
    if (utf8::length(value) > MaxFieldLength)
        throw ProgramError::invalidFileFormat(path_, "a value is too long");
    skipSeparator();
    return value;
}

void FieldReader::skipBlanks() {
    while (pos_ < text_.size() && isBlank(text_[pos_]))
        ++pos_;
}

void FieldReader::skipBlanksAndLineEnds() {
    while (pos_ < text_.size() && (isBlank(text_[pos_]) || isLineEnd(text_[pos_])))
        ++pos_;
}

// Consumes the comma or the one line end (CR LF, LF or CR) that closes a field.
void FieldReader::skipSeparator() {
    if (pos_ >= text_.size())
        return;
    if (text_[pos_] == ',') {
        ++pos_;
        return;
    }
    if (text_[pos_] == '\r')
        ++pos_;
    if (pos_ < text_.size() && text_[pos_] == '\n')
        ++pos_;
}

bool FieldReader::atLineEnd() const {
    return pos_ < text_.size() && isLineEnd(text_[pos_]);
}
