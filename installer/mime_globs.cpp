#include "installer/mime_globs.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <set>

namespace kestrum {

namespace {

struct GlobLine {
    int weight = 0;
    std::string_view type;
    std::string_view pattern;
    std::string_view flags;
};

// weight:type:pattern[:flags]; false for comments and lines of another form.
bool parseGlobLine(std::string_view line, GlobLine &glob) {
    if (line.empty() || line.front() == '#')
        return false;
    const std::size_t typeStart = line.find(':');
    const std::size_t patternStart =
        typeStart == line.npos ? line.npos : line.find(':', typeStart + 1);
    if (patternStart == line.npos)
        return false;
    const auto [end, error] = std::from_chars(line.data(), line.data() + typeStart, glob.weight);
    if (error != std::errc() || end != line.data() + typeStart)
        return false;
    glob.type = line.substr(typeStart + 1, patternStart - typeStart - 1);
    const std::size_t flagsStart = line.find(':', patternStart + 1);
    glob.pattern = line.substr(patternStart + 1, flagsStart - (patternStart + 1));
    glob.flags = flagsStart == line.npos ? std::string_view() : line.substr(flagsStart + 1);
    return true;
}

bool equalIgnoringAsciiCase(std::string_view a, std::string_view b) {
    return std::ranges::equal(
        a, b, [](unsigned char x, unsigned char y) { return std::tolower(x) == std::tolower(y); });
}

bool matches(const GlobLine &glob, std::string_view pattern) {
    const bool caseSensitive = glob.flags.find("cs") != std::string_view::npos;
    return caseSensitive ? glob.pattern == pattern : equalIgnoringAsciiCase(glob.pattern, pattern);
}

} // namespace

std::string mimeTypeForExtension(const std::vector<std::string> &globs2Texts,
                                 std::string_view extension) {
    // Appended rather than inserted in front: GCC 12 warns wrongly about overlap on the insert.
    std::string pattern(1, '*');
    pattern += extension;
    std::string best;
    int bestWeight = -1;
    std::set<std::string, std::less<>> cleared;
    for (const std::string &text : globs2Texts) {
        std::set<std::string, std::less<>> clearedHere;
        std::size_t start = 0;
        while (start < text.size()) {
            const std::size_t end = std::min(text.find('\n', start), text.size());
            GlobLine glob;
            if (parseGlobLine(std::string_view(text).substr(start, end - start), glob)) {
                if (glob.pattern == "__NOGLOBS__")
                    clearedHere.emplace(glob.type);
                else if (!cleared.contains(glob.type) && matches(glob, pattern) &&
                         glob.weight > bestWeight) {
                    best = glob.type;
                    bestWeight = glob.weight;
                }
            }
            start = end + 1;
        }
        cleared.merge(clearedHere);
    }
    return best;
}

} // namespace kestrum
