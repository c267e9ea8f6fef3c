#include "tests/e2e/ordinary_user.h"

#include <grp.h>
#include <unistd.h>

namespace {

constexpr uid_t Nobody = 65534;
constexpr gid_t NoGroup = 65534;

} // namespace

// Only the effective ids change: the real and saved ones stay root's, which is what lets the
// scope switch back.
OrdinaryUserScope::OrdinaryUserScope() {
    if (geteuid() != 0) {
        ordinary = true;
        return;
    }
    groups.resize(std::size_t(getgroups(0, nullptr)));
    if (getgroups(int(groups.size()), groups.data()) < 0)
        return;
    if (setgroups(0, nullptr) != 0)
        return;
    switched = true;
    ordinary = setegid(NoGroup) == 0 && seteuid(Nobody) == 0;
}

OrdinaryUserScope::~OrdinaryUserScope() {
    if (!switched)
        return;
    // Failing to become root again would leave the rest of the tests as nobody: stop here.
    if (seteuid(0) != 0 || setegid(0) != 0 || setgroups(groups.size(), groups.data()) != 0)
        _exit(3);
}
