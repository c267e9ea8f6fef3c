#include "platform/batch_text.h"

#include <glib.h>

namespace platform {

// The system's encoding here is UTF-8, the core's own: the bytes are the text once they are valid.
std::optional<std::string> textFromBatchBytes(std::string_view bytes) {
    if (!g_utf8_validate_len(bytes.data(), gsize(bytes.size()), nullptr))
        return std::nullopt;
    return std::string(bytes);
}

std::optional<std::string> batchBytesFromText(std::string_view text) {
    return textFromBatchBytes(text);
}

} // namespace platform
