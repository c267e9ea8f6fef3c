#include "installer/user_registration.h"

// Kestrum as installed, but giving up on a held lock after a second instead of half a minute,
// so that a test can watch the whole program give up.
int main() {
    return kestrum::registerForUser(std::chrono::seconds(1));
}
