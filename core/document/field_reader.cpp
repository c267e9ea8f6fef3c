#include "core/document/field_reader.h"

#include "core/document/program_error.h"

#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>

using namespace Qt::StringLiterals;

namespace {

bool isBlank(QChar c) {
    return c == u' ' || c == u'\t';
}
bool isLineEnd(QChar c) {
    return c == u'\r' || c == u'\n';
}

} // namespace

FieldReader FieldReader::open(const QString &path) {
    // Only a regular file has an end: a device or a pipe could be read for ever.
    const QFileInfo info(path);
    if (info.exists() && !info.isFile())
        throw ProgramError::fileAccess(path);
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw ProgramError::openFailure(path, false);
    const QByteArray bytes = file.read(MaxFileSize + 1);
    if (file.error() != QFileDevice::NoError)
        throw ProgramError::fileAccess(path);
    file.close();
    if (bytes.size() > MaxFileSize)
        throw ProgramError::invalidFileFormat(path, u"the file is too large"_s);
    return fromBytes(bytes, path);
}

FieldReader FieldReader::fromBytes(const QByteArray &bytes, const QString &path) {
    QStringDecoder decode(QStringConverter::System);
    QString text = decode(bytes);
    if (decode.hasError())
        throw ProgramError::invalidFileFormat(path, u"not text in the system's encoding"_s);
    return FieldReader(std::move(text), path);
}

FieldReader::FieldReader(QString text, QString path)
    : text_(std::move(text)), path_(std::move(path)) {}

bool FieldReader::atEnd() {
    skipBlanksAndLineEnds();
    return pos_ >= text_.size();
}

QString FieldReader::readField() {
    skipBlanksAndLineEnds();
    if (pos_ >= text_.size())
        throw ProgramError::inputPastEndOfFile(path_);

    QString value;
    if (text_.at(pos_) == u'"') {
        const qsizetype closing = text_.indexOf(u'"', pos_ + 1);
        if (closing < 0)
            throw ProgramError::invalidFileFormat(path_, u"a value has no closing quote"_s);
        value = text_.mid(pos_ + 1, closing - pos_ - 1);
        pos_ = closing + 1;
        skipBlanks();
        if (pos_ < text_.size() && text_.at(pos_) != u',' && !atLineEnd())
            throw ProgramError::invalidFileFormat(path_, u"text follows a quoted value"_s);
    } else {
        const qsizetype start = pos_;
        while (pos_ < text_.size() && text_.at(pos_) != u',' && !atLineEnd())
            ++pos_;
        value = text_.mid(start, pos_ - start).trimmed();
    }
    if (value.size() > MaxFieldLength)
        throw ProgramError::invalidFileFormat(path_, u"a value is too long"_s);
    skipSeparator();
    return value;
}

void FieldReader::skipBlanks() {
    while (pos_ < text_.size() && isBlank(text_.at(pos_)))
        ++pos_;
}

void FieldReader::skipBlanksAndLineEnds() {
    while (pos_ < text_.size() && (isBlank(text_.at(pos_)) || isLineEnd(text_.at(pos_))))
        ++pos_;
}

// Consumes the comma or the one line end (CR LF, LF or CR) that closes a field.
void FieldReader::skipSeparator() {
    if (pos_ >= text_.size())
        return;
    if (text_.at(pos_) == u',') {
        ++pos_;
        return;
    }
    if (text_.at(pos_) == u'\r')
        ++pos_;
    if (pos_ < text_.size() && text_.at(pos_) == u'\n')
        ++pos_;
}

bool FieldReader::atLineEnd() const {
    return pos_ < text_.size() && isLineEnd(text_.at(pos_));
}
