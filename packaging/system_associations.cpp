#include "installer/association_installer.h"
#include "installer/association_store.h"
#include "installer/desktop_entry.h"
#include "installer/file_io.h"
#include "installer/freedesktop_store.h"
#include "installer/mime_package.h"

#include <cctype>
#include <cstdlib>
#include <exception>
#include <filesystem>
#include <iostream>
#include <map>
#include <stdexcept>
#include <vector>

// Writes the association of batch files that Kestrum makes for one user, for every user of the
// machine instead, as files of a data folder to be installed as <prefix>/share: one
// shared-mime-info package, the type's icon in the hicolor theme and a desktop entry for each
// verb. The values are Kestrum's own, so the two cannot drift apart; the package's triggers
// rebuild the desktop's databases from these files.
//
//     system_associations PROGRAM_FOLDER PICTURE_FOLDER DATA_FOLDER
//
// PROGRAM_FOLDER is where runvoy will be installed, PICTURE_FOLDER holds the pictures that will
// be installed beside it.

namespace {

using namespace kestrum;

// Takes what Kestrum writes instead of writing it.
class RecordingStore : public AssociationStore {
public:
    // A package brings its own file type rather than taking over one of the build machine's.
    std::string fileTypeOf(const std::string &) override { return {}; }
    void setValue(const ClassesKey &key, const std::string &value) override { values[key] = value; }
    void deleteValue(const ClassesKey &key) override { values.erase(key); }

    std::map<ClassesKey, std::string> values;
};

// Desktops that find no default application in mimeapps.list, which no package may own, take
// the first entry of the type in the order of the entries' names: the open verb's entry must
// come before the others.
std::string verbEntryName(const std::string &verb) {
    return verb == "open" ? "runvoy-batch.desktop" : "runvoy-" + verb + ".desktop";
}

void writeAssociations(const std::string &programFolder, const std::filesystem::path &pictures,
                       const std::filesystem::path &data) {
    RecordingStore store;
    AssociationInstaller module(store);
    module.Main(programFolder);
    for (const std::string &failure : module.Failures())
        throw std::runtime_error(failure);

    std::string mimeType;
    std::vector<PackageElement> elements;
    for (const auto &[key, value] : store.values) {
        if (key.kind == ClassesKey::Kind::VerbCommand) {
            std::string verb = key.verb;
            for (char &c : verb)
                c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
            replaceFile(data / "applications" / verbEntryName(verb),
                        desktopEntryText(verbEntryFor(key, value)));
            continue;
        }
        const TypeElement type = typeElementFor(key, value);
        if (!mimeType.empty() && type.mimeType != mimeType)
            throw std::runtime_error("the association names two file types");
        mimeType = type.mimeType;
        elements.push_back(type.element);
        if (key.kind == ClassesKey::Kind::Icon) {
            const auto picture = readWholeFile(pictures / std::filesystem::path(value).filename());
            if (!picture)
                throw std::runtime_error("the icon " + value + " is not among the pictures");
            replaceFile(data / "icons" / "hicolor" / "scalable" / "mimetypes" /
                            (type.element.value + ".svg"),
                        *picture);
        }
    }
    replaceFile(data / "mime" / "packages" / "runvoy.xml", mimePackage(mimeType, elements));
}

} // namespace

int main(int argc, char **argv) {
    if (argc != 4) {
        std::cerr << "usage: system_associations PROGRAM_FOLDER PICTURE_FOLDER DATA_FOLDER\n";
        return EXIT_FAILURE;
    }
    try {
        writeAssociations(argv[1], argv[2], argv[3]);
    } catch (const std::exception &error) {
        std::cerr << "system_associations: " << error.what() << '\n';
        return EXIT_FAILURE;
    }
    return EXIT_SUCCESS;
}
