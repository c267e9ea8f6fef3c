#include "platform/batch_text.h"

#include <glib.h>

namespace platform {

// The system's encoding here is UTF-8, the core's own: the bytes are the text once they are valid.
// A NUL is a character like any other in a value, but glib's check stops at one: the pieces
// between them are checked one by one.
std::optional<std::string> textFromBatchBytes(std::string_view bytes) {
    for (std::string_view rest = bytes;;) {
        const std::size_t nul = rest.find('\0');
        const std::string_view piece = rest.substr(0, nul);
        if (!g_utf8_validate_len(piece.data(), gsize(piece.size()), nullptr))
            return std::nullopt;
        if (nul == std::string_view::npos)
            return std::string(bytes);
        rest.remove_prefix(nul + 1);
    }
}

std::optional<std::string> batchBytesFromText(std::string_view text) {
    return textFromBatchBytes(text);
}

} // namespace platform
