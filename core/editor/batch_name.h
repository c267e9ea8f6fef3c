#pragma once

#include <optional>
#include <string>
#include <string_view>

// The message that refuses a full stop in a batch's name, which becomes a file name with an
// extension of its own.
std::string fullStopRefusal(std::string_view name);

// What the name holds that a batch's file name may not, in the words of the message that refuses
// it; none when the name can be stored.
std::optional<std::string> refusedInName(std::string_view name);
