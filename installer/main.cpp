#include "installer/user_registration.h"

// Registers the batch file type for the user and ends. Nothing is shown: a run that worked
// prints nothing, and every entry that could not be written gets one line on standard error.
// Another run takes a few seconds at most, so one that holds the lock for half a minute is
// stopped or stuck, and the user is better told so than kept waiting.
int main() {
    return kestrum::registerForUser(std::chrono::seconds(30));
}
