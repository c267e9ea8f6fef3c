#pragma once

#include <compare>
#include <string>

namespace kestrum {

// One default value of the desktop's file-type associations: the file type an extension names,
// or one of a file type's entries.
struct ClassesKey {
    enum class Kind { ExtensionType, Description, Icon, VerbCommand };

    Kind kind;
    std::string name; // the extension (with its dot) for ExtensionType, else the file type
    std::string verb; // VerbCommand only: "open", "Edit", ...

    auto operator<=>(const ClassesKey &) const = default;
};

ClassesKey extensionTypeKey(const std::string &extension);
ClassesKey descriptionKey(const std::string &fileType);
ClassesKey iconKey(const std::string &fileType);
ClassesKey verbCommandKey(const std::string &fileType, const std::string &verb);

// The key in words, for messages: `the "open" command of rvqfile`.
std::string describe(const ClassesKey &key);

// Where the associations live. Values are texts; a verb command is a command line in the form
// of command_line.h, with "%1" standing for the opened file.
class AssociationStore {
public:
    virtual ~AssociationStore() = default;

    // The file type the extension names; empty when it names none.
    virtual std::string fileTypeOf(const std::string &extension) = 0;

    // All three throw std::exception when the value cannot be read, written or removed.
    virtual void setValue(const ClassesKey &key, const std::string &value) = 0;
    virtual void deleteValue(const ClassesKey &key) = 0;
};

} // namespace kestrum
