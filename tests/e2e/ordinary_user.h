#pragma once

#include <sys/types.h>

#include <vector>

// File permissions do not stop root. While this lives, a test that runs as root works as the
// user "nobody" instead, so that read-only folders and unreadable files stop it as they stop a
// person; an ordinary user stays who they are. The switch is undone at the end of the scope.
class OrdinaryUserScope {
public:
    OrdinaryUserScope();
    ~OrdinaryUserScope();
    OrdinaryUserScope(const OrdinaryUserScope &) = delete;
    OrdinaryUserScope &operator=(const OrdinaryUserScope &) = delete;

    // False when the switch away from root failed: the scope then changes nothing.
    bool isOrdinary() const { return ordinary; }

private:
    bool switched = false;
    bool ordinary = false;
    std::vector<gid_t> groups;
};
