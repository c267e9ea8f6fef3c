#include "installer/association_store.h"

namespace kestrum {

ClassesKey extensionTypeKey(const std::string &extension) {
    return {ClassesKey::Kind::ExtensionType, extension, {}};
}

ClassesKey descriptionKey(const std::string &fileType) {
    return {ClassesKey::Kind::Description, fileType, {}};
}

ClassesKey iconKey(const std::string &fileType) {
    return {ClassesKey::Kind::Icon, fileType, {}};
}

ClassesKey verbCommandKey(const std::string &fileType, const std::string &verb) {
    return {ClassesKey::Kind::VerbCommand, fileType, verb};
}

std::string describe(const ClassesKey &key) {
    switch (key.kind) {
    case ClassesKey::Kind::ExtensionType:
        return "the file type of " + key.name;
    case ClassesKey::Kind::Description:
        return "the description of " + key.name;
    case ClassesKey::Kind::Icon:
        return "the icon of " + key.name;
    case ClassesKey::Kind::VerbCommand:
        return "the \"" + key.verb + "\" command of " + key.name;
    }
    return key.name;
}

} // namespace kestrum
