#include "installer/freedesktop_store.h"

#include "installer/command_line.h"
#include "installer/desktop_entry.h"
#include "installer/file_io.h"
#include "installer/mime_globs.h"
#include "installer/mime_package.h"
#include "installer/mimeapps_list.h"
#include "installer/tool_run.h"

#include <algorithm>
#include <cctype>
#include <stdexcept>

namespace kestrum {

namespace {

// Every file of ours is named after the program, so that it can be told from others' files.
constexpr std::string_view FilePrefix = "runvoy-";
// The default verb's entry carries the program's name: desktops show it as the type's application.
constexpr std::string_view ApplicationName = "Runvoy";
constexpr std::string_view DefaultVerb = "open";
constexpr std::string_view DefaultGroup = "Default Applications";
constexpr std::string_view AddedGroup = "Added Associations";

std::string checkedMimeType(const std::string &fileType) {
    std::string mimeType = mimeTypeOf(fileType);
    if (!isValidMimeType(mimeType))
        throw std::invalid_argument("\"" + mimeType + "\" is not a MIME type");
    return mimeType;
}

std::string checkedExtension(const std::string &extension) {
    if (extension.size() < 2 || extension.front() != '.' || extension.find('/') != extension.npos)
        throw std::invalid_argument("\"" + extension + "\" is not a file name extension");
    return extension.substr(1);
}

std::string lowerCase(std::string text) {
    std::ranges::transform(text, text.begin(),
                           [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

std::string firstLine(const std::string &text) {
    const std::size_t start = text.find_first_not_of(" \t\r\n");
    if (start == text.npos)
        return {};
    return text.substr(start, text.find_first_of("\r\n", start) - start);
}

} // namespace

TypeElement typeElementFor(const ClassesKey &key, const std::string &value) {
    switch (key.kind) {
    case ClassesKey::Kind::ExtensionType:
        return {checkedMimeType(value), {PackageEntry::Glob, "*" + key.name}};
    case ClassesKey::Kind::Description:
        return {checkedMimeType(key.name), {PackageEntry::Comment, value}};
    case ClassesKey::Kind::Icon: {
        // The picture goes into the icon theme under the name that the type has anyway.
        const std::string mimeType = checkedMimeType(key.name);
        return {mimeType, {PackageEntry::Icon, mimeIconName(mimeType)}};
    }
    case ClassesKey::Kind::VerbCommand:
        break;
    }
    throw std::logic_error("a verb command has no package element");
}

VerbEntry verbEntryFor(const ClassesKey &key, const std::string &command) {
    const std::string name = key.verb == DefaultVerb ? std::string(ApplicationName) : key.verb;
    return {name, splitCommandLine(command), checkedMimeType(key.name)};
}

std::string FreedesktopStore::fileTypeOf(const std::string &extension) {
    lockOutOtherStores();
    std::vector<std::string> globLists;
    std::vector<std::filesystem::path> dataDirs{dirs_.dataHome};
    dataDirs.insert(dataDirs.end(), dirs_.dataDirs.begin(), dirs_.dataDirs.end());
    for (const std::filesystem::path &dir : dataDirs)
        if (auto text = readWholeFile(dir / "mime" / "globs2"))
            globLists.push_back(std::move(*text));
    return mimeTypeForExtension(globLists, extension);
}

void FreedesktopStore::setValue(const ClassesKey &key, const std::string &value) {
    lockOutOtherStores();
    if (key.kind == ClassesKey::Kind::VerbCommand) {
        replaceFile(verbEntryPath(key.verb), desktopEntryText(verbEntryFor(key, value)));
        editMimeappsList(key, true);
        refreshDesktopEntryCache();
        return;
    }
    const TypeElement type = typeElementFor(key, value);
    if (key.kind == ClassesKey::Kind::Icon) {
        if (std::filesystem::path(value).extension() != ".svg")
            throw std::invalid_argument("the icon " + value + " is no SVG picture");
        const auto picture = readWholeFile(value);
        if (!picture)
            throw std::invalid_argument("the icon " + value + " does not exist");
        replaceFile(iconPath(type.mimeType), *picture);
    }
    replaceFile(packagePath(key),
                mimePackage(type.mimeType, type.element.entry, type.element.value));
    rebuildMimeDatabase();
}

void FreedesktopStore::deleteValue(const ClassesKey &key) {
    lockOutOtherStores();
    switch (key.kind) {
    case ClassesKey::Kind::ExtensionType:
    case ClassesKey::Kind::Description:
        removeFile(packagePath(key));
        rebuildMimeDatabase();
        return;
    case ClassesKey::Kind::Icon:
        removeFile(iconPath(checkedMimeType(key.name)));
        removeFile(packagePath(key));
        rebuildMimeDatabase();
        return;
    case ClassesKey::Kind::VerbCommand:
        removeFile(verbEntryPath(key.verb));
        editMimeappsList(key, false);
        refreshDesktopEntryCache();
        return;
    }
}

std::filesystem::path FreedesktopStore::packagePath(const ClassesKey &key) const {
    std::string name(FilePrefix);
    switch (key.kind) {
    case ClassesKey::Kind::ExtensionType:
        name += "extension-" + checkedExtension(key.name);
        break;
    case ClassesKey::Kind::Description:
        name += "description-" + mimeIconName(checkedMimeType(key.name));
        break;
    case ClassesKey::Kind::Icon:
        name += "icon-" + mimeIconName(checkedMimeType(key.name));
        break;
    case ClassesKey::Kind::VerbCommand:
        throw std::logic_error("a verb has no package file");
    }
    return dirs_.dataHome / "mime" / "packages" / (name + ".xml");
}

std::filesystem::path FreedesktopStore::iconPath(const std::string &mimeType) const {
    return dirs_.dataHome / "icons" / "hicolor" / "scalable" / "mimetypes" /
           (mimeIconName(mimeType) + ".svg");
}

std::filesystem::path FreedesktopStore::verbEntryPath(const std::string &verb) const {
    const bool plainName = !verb.empty() && std::ranges::all_of(verb, [](unsigned char c) {
        return std::isalnum(c) || c == '-' || c == '_';
    });
    if (!plainName)
        throw std::invalid_argument("\"" + verb + "\" cannot name a desktop entry");
    return dirs_.dataHome / "applications" /
           (std::string(FilePrefix) + lowerCase(verb) + ".desktop");
}

void FreedesktopStore::editMimeappsList(const ClassesKey &key, bool add) {
    const std::string id = verbEntryPath(key.verb).filename().string();
    const bool isDefault = key.verb == DefaultVerb;
    const std::string mimeType = checkedMimeType(key.name);
    const auto change = [&](DesktopIds ids) {
        const bool present = std::ranges::find(ids, id) != ids.end();
        if (add && isDefault)
            ids = {id};
        else if (add && !present)
            ids.push_back(id);
        else if (!add)
            std::erase(ids, id);
        return ids;
    };
    editFile(dirs_.configHome / "mimeapps.list", [&](const std::optional<std::string> &text) {
        return editedMimeappsList(text.value_or(std::string()),
                                  isDefault ? DefaultGroup : AddedGroup, mimeType, change);
    });
}

void FreedesktopStore::lockOutOtherStores() {
    if (!lock_)
        lock_.emplace(dirs_.dataHome / (std::string(FilePrefix) + "kestrum.lock"), lockWait_);
}

void FreedesktopStore::rebuildMimeDatabase() const {
    const std::filesystem::path mime = dirs_.dataHome / "mime";
    requireRegularFiles(mime / "packages", ".xml", "update-mime-database");
    const ToolResult result = runTool({"update-mime-database", mime.string()});
    if (!result.found)
        throw std::runtime_error("update-mime-database (shared-mime-info) is not installed");
    if (result.exitStatus != 0)
        throw std::runtime_error("update-mime-database failed: " + firstLine(result.errorOutput));
}

void FreedesktopStore::refreshDesktopEntryCache() const {
    // Only some desktops read this cache, so a system without the tool needs none.
    const std::filesystem::path applications = dirs_.dataHome / "applications";
    requireRegularFiles(applications, ".desktop", "update-desktop-database");
    const ToolResult result = runTool({"update-desktop-database", applications.string()});
    if (result.found && result.exitStatus != 0)
        throw std::runtime_error("update-desktop-database failed: " +
                                 firstLine(result.errorOutput));
}

} // namespace kestrum
