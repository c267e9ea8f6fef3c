#include "installer/mime_package.h"

#include <algorithm>
#include <cctype>

namespace kestrum {

namespace {

bool isMimeNamePart(std::string_view part) {
    constexpr std::string_view Punctuation = "!#$&-^_.+";
    return !part.empty() && part.size() <= 127 &&
           std::isalnum(static_cast<unsigned char>(part[0])) &&
           std::ranges::all_of(part, [&](char c) {
               return std::isalnum(static_cast<unsigned char>(c)) ||
                      Punctuation.find(c) != Punctuation.npos;
           });
}

std::string xmlEscaped(std::string_view text) {
    std::string escaped;
    for (const char c : text) {
        switch (c) {
        case '&':
            escaped += "&amp;";
            break;
        case '<':
            escaped += "&lt;";
            break;
        case '>':
            escaped += "&gt;";
            break;
        case '"':
            escaped += "&quot;";
            break;
        default:
            escaped += c;
        }
    }
    return escaped;
}

std::string packageElement(PackageEntry entry, std::string_view value) {
    switch (entry) {
    case PackageEntry::Glob:
        return "<glob pattern=\"" + xmlEscaped(value) + "\"/>";
    case PackageEntry::Comment:
        return "<comment>" + xmlEscaped(value) + "</comment>";
    case PackageEntry::Icon:
        return "<icon name=\"" + xmlEscaped(value) + "\"/>";
    }
    return {};
}

} // namespace

std::string mimeTypeOf(std::string_view fileType) {
    if (fileType.find('/') != fileType.npos)
        return std::string(fileType);
    return "application/x-" + std::string(fileType);
}

bool isValidMimeType(std::string_view mimeType) {
    const std::size_t slash = mimeType.find('/');
    return slash != mimeType.npos && isMimeNamePart(mimeType.substr(0, slash)) &&
           isMimeNamePart(mimeType.substr(slash + 1));
}

std::string mimeIconName(std::string_view mimeType) {
    std::string name(mimeType);
    std::ranges::replace(name, '/', '-');
    return name;
}

std::string mimePackage(std::string_view mimeType, PackageEntry entry, std::string_view value) {
    return mimePackage(mimeType, {{entry, std::string(value)}});
}

std::string mimePackage(std::string_view mimeType, const std::vector<PackageElement> &elements) {
    std::string text =
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        "<mime-info xmlns=\"http://www.freedesktop.org/standards/shared-mime-info\">\n"
        "  <mime-type type=\"" +
        xmlEscaped(mimeType) + "\">\n";
    for (const PackageElement &element : elements)
        text += "    " + packageElement(element.entry, element.value) + "\n";
    return text + "  </mime-type>\n</mime-info>\n";
}

} // namespace kestrum
