#pragma once

#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>

// Reads the fields of a batch file one at a time. A field ends at a comma or a line end; a
// field that begins with a double quote runs to the next double quote, which may enclose
// commas. Blanks and tabs around a field, blank lines, and CR LF, LF or CR line ends are all
// accepted, so hand-edited files read as their author meant them.
class FieldReader {
public:
    // The longest value a field may hold, in characters: the editor's fields hold no more.
    static constexpr std::size_t MaxFieldLength = 32767;

    // Reads the bytes of a batch file named path, decoded from the system's encoding for batch
    // files; throws ProgramError when they are not text.
    static FieldReader fromBytes(std::string_view bytes, const std::filesystem::path &path);

    FieldReader(std::string text, std::filesystem::path path);

    // True when no further field follows: what is left is blank.
    bool atEnd();

    // The next field's value; throws ProgramError past the end of the file or on a damaged field.
    std::string readField();

private:
    void skipBlanks();
    void skipBlanksAndLineEnds();
    void skipSeparator();
    bool atLineEnd() const;

    std::string text_;
    std::filesystem::path path_;
    std::size_t pos_ = 0;
};
