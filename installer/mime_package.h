#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace kestrum {

// The MIME type of a file type: a name without a slash, such as "rvqfile", is made into
// "application/x-rvqfile"; a MIME type stays as it is.
std::string mimeTypeOf(std::string_view fileType);

// type "/" subtype, each made of the characters that RFC 6838 allows in names.
bool isValidMimeType(std::string_view mimeType);

// The icon name that a MIME type has unless a package names another: "/" replaced by "-".
std::string mimeIconName(std::string_view mimeType);

// What one package file says about one MIME type.
enum class PackageEntry { Glob, Comment, Icon };

// The text of a shared-mime-info package file that gives mimeType one glob pattern, one
// comment or one icon name.
std::string mimePackage(std::string_view mimeType, PackageEntry entry, std::string_view value);

struct PackageElement {
    PackageEntry entry;
    std::string value;
};

// The same for a package file that says several things about mimeType, in the order given.
std::string mimePackage(std::string_view mimeType, const std::vector<PackageElement> &elements);

} // namespace kestrum
