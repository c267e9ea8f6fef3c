#pragma once

#include "installer/association_store.h"

#include <string>
#include <vector>

namespace kestrum {

// Registers the batch file type: the extension names a file type, and that type gets its
// description, its icon and the commands of its "open" and "Edit" verbs.
class AssociationInstaller {
public:
    explicit AssociationInstaller(AssociationStore &store) : store_(store) {}

    std::string FileExt;
    std::string TypeDescription;
    std::string IconPath;
    std::string OpenCommand;
    std::string EditCommand;
    std::string FileType;

    // The entry procedure: the fixed values for the program folder, then the registration.
    void Main(const std::string &folder);
    void RegisterAssociation();
    // Leaves FileType empty when the store cannot tell it.
    void FindFileType();
    // An empty value removes the entry instead of writing an empty one.
    void SetDefaultValue(const ClassesKey &key, const std::string &value);

    // One line for each entry that could not be written, in the order of writing.
    const std::vector<std::string> &Failures() const { return failures_; }

private:
    AssociationStore &store_;
    std::vector<std::string> failures_;
};

} // namespace kestrum
