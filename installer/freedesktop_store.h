#pragma once

#include "installer/association_store.h"
#include "installer/desktop_entry.h"
#include "installer/file_io.h"
#include "installer/mime_package.h"
#include "installer/xdg_dirs.h"

#include <chrono>
#include <filesystem>
#include <optional>
#include <string>

namespace kestrum {

// What the desktop is told for a value other than a verb command: the MIME type it is about and
// the element of a shared-mime-info package that says it. Throws std::invalid_argument for a
// value that names no MIME type or extension.
struct TypeElement {
    std::string mimeType;
    PackageElement element;
};
TypeElement typeElementFor(const ClassesKey &key, const std::string &value);

// The desktop entry that carries a verb command. The default verb's entry carries the program's
// name, which desktops show as the type's application. Throws as typeElementFor does.
VerbEntry verbEntryFor(const ClassesKey &key, const std::string &command);

// The associations of a freedesktop desktop, written for the user alone:
// - an extension's file type is the MIME type the shared-mime-info database maps "*.ext" to; a
//   file type named without a slash ("rvqfile") is the MIME type "application/x-rvqfile";
// - the extension's type, a type's description and its icon name are package files of our own
//   under mime/packages, after which the user's MIME database is rebuilt; the icon itself is
//   copied into the user's hicolor theme;
// - the "open" verb is a desktop entry set as the type's default application in mimeapps.list,
//   every other verb one added to the type's associations there, so that "Open With" offers it.
// A store locks out the stores of other processes from its first use to its end, so that two
// runs at once neither rebuild the database together nor edit mimeapps.list over each other; it
// waits lockWait at most for another store to end.
class FreedesktopStore : public AssociationStore {
public:
    FreedesktopStore(XdgDirs dirs, std::chrono::seconds lockWait)
        : dirs_(std::move(dirs)), lockWait_(lockWait) {}

    std::string fileTypeOf(const std::string &extension) override;
    void setValue(const ClassesKey &key, const std::string &value) override;
    void deleteValue(const ClassesKey &key) override;

private:
    std::filesystem::path packagePath(const ClassesKey &key) const;
    std::filesystem::path iconPath(const std::string &mimeType) const;
    std::filesystem::path verbEntryPath(const std::string &verb) const;
    void editMimeappsList(const ClassesKey &key, bool add);
    void rebuildMimeDatabase() const;
    void refreshDesktopEntryCache() const;
    void lockOutOtherStores();

    XdgDirs dirs_;
    std::chrono::seconds lockWait_;
    std::optional<FileLock> lock_;
};

} // namespace kestrum
