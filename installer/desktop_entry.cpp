#include "installer/desktop_entry.h"

#include "installer/command_line.h"

#include <stdexcept>

namespace kestrum {

namespace {

bool isValidUtf8(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size()) {
        const auto lead = static_cast<unsigned char>(text[i]);
        std::size_t length = 1;
        char32_t code = lead;
        if (lead >= 0xC2 && lead <= 0xDF) {
            length = 2;
            code = lead & 0x1F;
        } else if (lead >= 0xE0 && lead <= 0xEF) {
            length = 3;
            code = lead & 0x0F;
        } else if (lead >= 0xF0 && lead <= 0xF4) {
            length = 4;
            code = lead & 0x07;
        } else if (lead >= 0x80) {
            return false;
        }
        if (i + length > text.size())
            return false;
        for (std::size_t k = 1; k < length; ++k) {
            const auto next = static_cast<unsigned char>(text[i + k]);
            if ((next & 0xC0) != 0x80)
                return false;
            code = (code << 6) | (next & 0x3F);
        }
        const bool overlong = (length == 3 && code < 0x800) || (length == 4 && code < 0x10000);
        if (overlong || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
            return false;
        i += length;
    }
    return true;
}

// The escapes of a string value in a desktop entry, applied after the quoting of Exec.
std::string escapedValue(std::string_view text) {
    std::string escaped;
    for (const char c : text) {
        switch (c) {
        case '\\':
            escaped += "\\\\";
            break;
        case '\n':
            escaped += "\\n";
            break;
        case '\t':
            escaped += "\\t";
            break;
        case '\r':
            escaped += "\\r";
            break;
        default:
            escaped += c;
        }
    }
    return escaped;
}

std::string execArgument(std::string_view word) {
    constexpr std::string_view Reserved = " \t\n\"'\\><~|&;$*?#()`";
    constexpr std::string_view EscapedInQuotes = "\"`$\\";
    const bool needsQuotes = word.empty() || word.find_first_of(Reserved) != word.npos;
    std::string argument = needsQuotes ? "\"" : "";
    for (const char c : word) {
        if (needsQuotes && EscapedInQuotes.find(c) != EscapedInQuotes.npos)
            argument += '\\';
        argument += c;
        if (c == '%')
            argument += '%';
    }
    if (needsQuotes)
        argument += '"';
    return argument;
}

} // namespace

std::string execValue(const std::vector<std::string> &command) {
    if (command.empty() || command.front().empty())
        throw std::invalid_argument("the command names no program");
    const std::string &program = command.front();
    if (program.find('=') != program.npos)
        throw std::invalid_argument("the program path \"" + program +
                                    "\" holds \"=\", which a desktop entry cannot run");
    std::vector<std::string_view> words(command.begin(), command.end());
    // Desktop environments built on GLib look for the program before they undo the "%%" escape,
    // so a program path holding "%" would never be found; env has no "%" in its own path.
    if (program.find('%') != program.npos)
        words.insert(words.begin(), "env");
    std::string exec;
    for (const std::string_view word : words) {
        if (!isValidUtf8(word))
            throw std::invalid_argument("the command holds text that is not UTF-8");
        if (!exec.empty())
            exec += ' ';
        exec += word == FileArgument ? "%f" : execArgument(word);
    }
    return escapedValue(exec);
}

std::string desktopEntryText(const VerbEntry &entry) {
    if (!isValidUtf8(entry.name))
        throw std::invalid_argument("the entry's name is not UTF-8");
    return "[Desktop Entry]\n"
           "Type=Application\n"
           "Name=" +
           escapedValue(entry.name) + "\nExec=" + execValue(entry.command) +
           "\nMimeType=" + entry.mimeType + ";\nNoDisplay=true\n";
}

} // namespace kestrum
