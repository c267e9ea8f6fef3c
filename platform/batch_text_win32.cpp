#include "platform/batch_text.h"

#include "platform/path_text.h"

#include <windows.h>

namespace platform {

namespace {

std::optional<std::wstring> wideFrom(UINT codePage, std::string_view bytes) {
    if (bytes.empty())
        return std::wstring();
    const int length = MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, bytes.data(),
                                           int(bytes.size()), nullptr, 0);
    if (length == 0)
        return std::nullopt;
    std::wstring wide(std::size_t(length), L'\0');
    MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, bytes.data(), int(bytes.size()),
                        wide.data(), length);
    return wide;
}

std::string utf8From(const std::wstring &wide) {
    return textFromPath(std::filesystem::path(wide));
}

} // namespace

// A file that begins with the UTF-8 byte order mark says that it is UTF-8, as Notepad and other
// editors save it; the mark stays in the text for the reader to drop.
std::optional<std::string> textFromBatchBytes(std::string_view bytes) {
    const UINT codePage = bytes.starts_with("\xEF\xBB\xBF") ? CP_UTF8 : CP_ACP;
    const std::optional<std::wstring> wide = wideFrom(codePage, bytes);
    if (!wide)
        return std::nullopt;
    return utf8From(*wide);
}

// A character that the code page lacks would be written as "?" or as a look-alike: refused.
std::optional<std::string> batchBytesFromText(std::string_view text) {
    const std::optional<std::wstring> wide = wideFrom(CP_UTF8, text);
    if (!wide)
        return std::nullopt;
    if (wide->empty())
        return std::string();
    // A system whose code page is UTF-8 holds every character; the conversion flags below are
    // refused for it.
    if (GetACP() == CP_UTF8)
        return std::string(text);
    BOOL lost = FALSE;
    const int length = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide->data(),
                                           int(wide->size()), nullptr, 0, nullptr, &lost);
    if (length == 0 || lost)
        return std::nullopt;
    std::string bytes(std::size_t(length), '\0');
    WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide->data(), int(wide->size()), bytes.data(),
                        length, nullptr, &lost);
    return bytes;
}

} // namespace platform
