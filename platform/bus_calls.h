#pragma once

#include <gio/gio.h>

#include <chrono>
#include <functional>
#include <optional>
#include <string>

namespace platform {

// Calls a method on the bus and handles the program's events until the answer has come, so that
// calls made to the program meanwhile are served in the order they came. Returns the answer, or
// null with error set.
GVariant *callAndServe(GDBusConnection *bus, const char *name, const char *path,
                       const char *interface, const char *method, GVariant *parameters,
                       const GVariantType *answerType, GError **error);

// Handles the program's events until done() holds or the bound has passed; whether done() held.
bool serveUntil(const std::function<bool()> &done, std::chrono::milliseconds bound);

// Whether some program owns name on the bus.
bool hasOwner(GDBusConnection *bus, const char *name);

// The unique name of the program that owns name on the bus; none when nobody does.
std::optional<std::string> ownerOf(GDBusConnection *bus, const char *name);

} // namespace platform
