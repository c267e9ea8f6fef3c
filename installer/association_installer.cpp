#include "installer/association_installer.h"

#include "installer/command_line.h"

#include <exception>

namespace kestrum {

namespace {

// The files that Kestrum expects beside itself in the program folder. Windows takes the
// batch-file icon from the program file, where it is the second icon.
#ifdef _WIN32
constexpr char PathSeparator = '\\';
constexpr std::string_view ProgramFileName = "Runvoy.exe";
constexpr std::string_view BatchIconFileName = "Runvoy.exe,1";
#else
constexpr char PathSeparator = '/';
constexpr std::string_view ProgramFileName = "runvoy";
constexpr std::string_view BatchIconFileName = "runvoy-batch.svg";
#endif

} // namespace

void AssociationInstaller::Main(const std::string &folder) {
    // No separator is dropped for the root folder: "//runvoy" and "C:\\Runvoy.exe" name the
    // same file as with a single one.
    const std::string programPath = folder + PathSeparator + std::string(ProgramFileName);
    const std::string file = quoteArgument(FileArgument);

    FileExt = ".rvq";
    IconPath = folder + PathSeparator + std::string(BatchIconFileName);
    TypeDescription = "Runvoy";
    OpenCommand = quoteArgument(programPath) + " /o " + file;
    EditCommand = quoteArgument(programPath) + " /e " + file;
    RegisterAssociation();
}

void AssociationInstaller::RegisterAssociation() {
    if (FileExt.empty())
        return;
    FindFileType();
    if (FileType.empty())
        return;
    SetDefaultValue(descriptionKey(FileType), TypeDescription);
    SetDefaultValue(iconKey(FileType), IconPath);
    SetDefaultValue(verbCommandKey(FileType, "open"), OpenCommand);
    SetDefaultValue(verbCommandKey(FileType, "Edit"), EditCommand);
}

void AssociationInstaller::FindFileType() {
    if (FileExt.empty())
        return;
    // An existing type is reused, whoever made it; only a missing or empty one is made here. A
    // type made without knowing whether there is one would compete with it, so none is.
    try {
        FileType = store_.fileTypeOf(FileExt);
    } catch (const std::exception &error) {
        FileType.clear();
        failures_.push_back("cannot look up " + describe(extensionTypeKey(FileExt)) + ": " +
                            error.what());
        return;
    }
    if (FileType.empty()) {
        FileType = FileExt.substr(1) + "file";
        SetDefaultValue(extensionTypeKey(FileExt), FileType);
    }
}

void AssociationInstaller::SetDefaultValue(const ClassesKey &key, const std::string &value) {
    // A failed entry must not keep the later ones from being written, but it is not forgotten.
    try {
        if (value.empty())
            store_.deleteValue(key);
        else
            store_.setValue(key, value);
    } catch (const std::exception &error) {
        failures_.push_back("cannot write " + describe(key) + ": " + error.what());
    }
}

} // namespace kestrum
