#include "installer/mimeapps_list.h"

#include <algorithm>
#include <optional>

namespace kestrum {

namespace {

std::string_view trimmed(std::string_view text) {
    constexpr std::string_view Blanks = " \t\r";
    const std::size_t start = text.find_first_not_of(Blanks);
    if (start == text.npos)
        return {};
    return text.substr(start, text.find_last_not_of(Blanks) - start + 1);
}

std::vector<std::string> splitLines(std::string_view text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = std::min(text.find('\n', start), text.size());
        lines.emplace_back(text.substr(start, end - start));
        start = end + 1;
    }
    return lines;
}

// The group a header line opens, if it is one.
std::optional<std::string_view> groupHeader(std::string_view line) {
    const std::string_view text = trimmed(line);
    if (text.size() < 2 || text.front() != '[' || text.back() != ']')
        return std::nullopt;
    return text.substr(1, text.size() - 2);
}

// The key of a "key=value" line, and its value.
std::optional<std::pair<std::string_view, std::string_view>> keyValue(std::string_view line) {
    const std::string_view text = trimmed(line);
    const std::size_t equals = text.find('=');
    if (text.empty() || text.front() == '#' || equals == text.npos)
        return std::nullopt;
    return std::pair(trimmed(text.substr(0, equals)), trimmed(text.substr(equals + 1)));
}

DesktopIds splitIds(std::string_view value) {
    DesktopIds ids;
    std::size_t start = 0;
    while (start < value.size()) {
        const std::size_t end = std::min(value.find(';', start), value.size());
        if (const std::string_view id = trimmed(value.substr(start, end - start)); !id.empty())
            ids.emplace_back(id);
        start = end + 1;
    }
    return ids;
}

} // namespace

std::string editedMimeappsList(std::string_view text, std::string_view group,
                               std::string_view mimeType,
                               const std::function<DesktopIds(DesktopIds)> &change) {
    std::vector<std::string> lines = splitLines(text);

    // A group may appear more than once and a key more than once in it; the last value counts,
    // as readers of key files take it.
    std::vector<std::size_t> keyLines;
    std::optional<std::size_t> groupEnd; // after the last non-blank line of the group's first block
    DesktopIds ids;
    bool inGroup = false;
    bool inFirstBlock = false;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (const auto header = groupHeader(lines[i])) {
            inFirstBlock = *header == group && !groupEnd;
            inGroup = *header == group;
            if (inFirstBlock)
                groupEnd = i + 1;
            continue;
        }
        if (!inGroup)
            continue;
        if (inFirstBlock && !trimmed(lines[i]).empty())
            groupEnd = i + 1;
        if (const auto entry = keyValue(lines[i]); entry && entry->first == mimeType) {
            keyLines.push_back(i);
            ids = splitIds(entry->second);
        }
    }

    const DesktopIds changed = change(std::move(ids));
    std::optional<std::string> newLine;
    if (!changed.empty()) {
        newLine = std::string(mimeType) + '=';
        for (const std::string &id : changed)
            *newLine += id + ';';
    }

    if (!keyLines.empty()) {
        for (auto line = keyLines.rbegin(); line != keyLines.rend(); ++line) {
            if (newLine && *line == keyLines.front())
                lines[*line] = *newLine;
            else
                lines.erase(lines.begin() + static_cast<std::ptrdiff_t>(*line));
        }
    } else if (newLine && groupEnd) {
        lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(*groupEnd), *newLine);
    } else if (newLine) {
        if (!lines.empty() && !trimmed(lines.back()).empty())
            lines.emplace_back();
        lines.push_back('[' + std::string(group) + ']');
        lines.push_back(*newLine);
    }

    // A file that lacks a final newline keeps lacking it, whoever's line ends it now.
    const bool finalNewline = text.empty() || text.back() == '\n';
    std::string edited;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        edited += lines[i];
        if (i + 1 < lines.size() || finalNewline)
            edited += '\n';
    }
    return edited;
}

} // namespace kestrum
