#pragma once

#include <QString>

// Reads the fields of a batch file one at a time. A field ends at a comma or a line end; a
// field that begins with a double quote runs to the next double quote, which may enclose
// commas. Blanks and tabs around a field, blank lines, and CR LF, LF or CR line ends are all
// accepted, so hand-edited files read as their author meant them.
class FieldReader {
public:
    // The longest value a field may hold: the editor's fields hold no more.
    static constexpr qsizetype MaxFieldLength = 32767;

    // The largest file read: far beyond any batch, small enough to read whole without harm.
    static constexpr qint64 MaxFileSize = 64 * 1024 * 1024;

    // Reads the whole file at path, decoded from the system's encoding; throws ProgramError
    // when it cannot be read or is not text.
    static FieldReader open(const QString &path);

    // Reads the bytes of a batch file named path; throws ProgramError when they are not text.
    static FieldReader fromBytes(const QByteArray &bytes, const QString &path);

    FieldReader(QString text, QString path);

    // True when no further field follows: what is left is blank.
    bool atEnd();

    // The next field's value; throws ProgramError past the end of the file or on a damaged field.
    QString readField();

private:
    void skipBlanks();
    void skipBlanksAndLineEnds();
    void skipSeparator();
    bool atLineEnd() const;

    QString text_;
    QString path_;
    qsizetype pos_ = 0;
};
