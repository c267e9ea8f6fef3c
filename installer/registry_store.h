#pragma once

#include "installer/association_store.h"

#include <string>

namespace kestrum {

// The associations of Windows: keys under HKEY_CLASSES_ROOT, each entry its key's default value
// of type REG_SZ. The extension's key names the file type; the type's own key holds the
// description, "DefaultIcon" the icon, and "shell\<verb>\command" each verb's command. Texts are
// UTF-8 here and UTF-16 in the registry.
class RegistryStore : public AssociationStore {
public:
    std::string fileTypeOf(const std::string &extension) override;
    void setValue(const ClassesKey &key, const std::string &value) override;
    void deleteValue(const ClassesKey &key) override;
};

// The key under HKEY_CLASSES_ROOT whose default value is the entry: "rvqfile\DefaultIcon".
std::string registryKeyName(const ClassesKey &key);

} // namespace kestrum
