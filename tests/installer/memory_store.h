#pragma once

#include "installer/association_store.h"

#include <map>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

// The classes root as a map of default values, with a record of every write and keys that
// refuse to be written, for watching the association algorithm at work.
class MemoryStore : public kestrum::AssociationStore {
public:
    std::map<kestrum::ClassesKey, std::string> values;
    std::vector<kestrum::ClassesKey> writes;
    std::set<kestrum::ClassesKey> refusing;

    std::string fileTypeOf(const std::string &extension) override {
        const auto found = values.find(kestrum::extensionTypeKey(extension));
        return found == values.end() ? std::string() : found->second;
    }

    void setValue(const kestrum::ClassesKey &key, const std::string &value) override {
        write(key);
        values[key] = value;
    }

    void deleteValue(const kestrum::ClassesKey &key) override {
        write(key);
        values.erase(key);
    }

private:
    void write(const kestrum::ClassesKey &key) {
        writes.push_back(key);
        if (refusing.contains(key))
            throw std::runtime_error("access denied");
    }
};
