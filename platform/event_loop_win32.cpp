#include "platform/event_loop.h"

#include <optional>

#include <windows.h>

namespace platform {

namespace {

// Hands every message queued for this thread to its window. A request to quit stops the
// hand-over and is returned, so that it can be posted again for the loop that owns it.
std::optional<int> dispatchQueuedMessages() {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT)
            return int(message.wParam);
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return std::nullopt;
}

} // namespace

// The system wakes a wait on its clock's tick, not later by a share of its length, so the whole
// remaining time is waited at once; every message that comes meanwhile is handled on the spot.
void waitUntil(std::chrono::steady_clock::time_point deadline) {
    std::optional<int> quit = dispatchQueuedMessages();
    for (;;) {
        const auto remaining = std::chrono::ceil<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        if (remaining.count() <= 0)
            break;
        if (quit) {
            // The messages left queued behind it would end every wait at once: the rest is slept.
            Sleep(DWORD(remaining.count()));
            continue;
        }
        MsgWaitForMultipleObjectsEx(0, nullptr, DWORD(remaining.count()), QS_ALLINPUT,
                                    MWMO_INPUTAVAILABLE);
        quit = dispatchQueuedMessages();
    }
    if (quit)
        PostQuitMessage(*quit);
}

void handlePendingEvents() {
    if (const std::optional<int> quit = dispatchQueuedMessages())
        PostQuitMessage(*quit);
}

} // namespace platform
