#include "core/runner/batch_chain.h"

#include "platform/path_text.h"

std::string chainText(const std::vector<std::filesystem::path> &chain) {
    std::string text;
    for (const std::filesystem::path &batch : chain)
        text += platform::textFromPath(batch) + '\n';
    return text;
}

std::vector<std::filesystem::path> chainFromText(std::string_view text) {
    std::vector<std::filesystem::path> chain;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        if (end != 0)
            chain.push_back(platform::pathFromText(text.substr(0, end)));
        text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
    }
    return chain;
}

bool isInChain(const std::filesystem::path &path, const std::vector<std::filesystem::path> &chain) {
    for (const std::filesystem::path &batch : chain) {
        std::error_code missing;
        if (std::filesystem::equivalent(path, batch, missing))
            return true;
    }
    return false;
}
