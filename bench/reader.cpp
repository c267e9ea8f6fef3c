#include "core/runner/batch_run.h"
#include "platform/batch_text.h"
#include "platform/file_access.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {

constexpr int Rounds = 9;

std::string repeated(const std::string &text, std::size_t times) {
    std::string all;
    all.reserve(text.size() * times);
    for (std::size_t i = 0; i < times; ++i)
        all += text;
    return all;
}

// Five items buried in blank space of every kind the reader accepts: blank lines that end in
// CR LF, LF or CR alone, runs of blanks and tabs; quoted paths full of commas, and unquoted
// delays with blanks around them. About 8 MB in all.
std::string oddBatch() {
    const std::string blanks = "  \t \r\n\n\t\t  \r \r\n";
    const std::string gap = repeated(blanks, 512 * 1024 / blanks.size());
    std::string text;
    for (int i = 0; i < MaxBatchItems; ++i) {
        text +=
            gap + "\"/home/me/" + repeated("docs, notes, ", 2500) + std::to_string(i) + "\"\r\n";
        text += gap + "  \t 2.5 \t\r\n";
        text += gap + "\"Normal\"\n";
    }
    return text + gap;
}

// The median time of a number of rounds, in seconds.
template <typename Work> double medianSeconds(Work work) {
    std::vector<double> times;
    for (int round = 0; round < Rounds; ++round) {
        const auto start = std::chrono::steady_clock::now();
        work();
        times.push_back(
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

} // namespace

// Prints the file's size, the time the runner takes to read its items and the time it takes
// only to read the file and decode its text, which any reader must spend.
int main() {
    const std::filesystem::path path =
        std::filesystem::temp_directory_path() / "runvoy-bench-odd.rvq";
    const std::string bytes = oddBatch();
    std::ofstream(path, std::ios::binary) << bytes;
    if (readRunItems(path).size() != MaxBatchItems)
        return 1;

    std::size_t decoded = 0;
    const double reader = medianSeconds([&] { readRunItems(path); });
    const double baseline = medianSeconds([&] {
        std::string read;
        if (platform::readWholeFile(path, MaxBatchFileSize, read).ok())
            decoded = platform::textFromBatchBytes(read).value_or("").size();
    });
    std::filesystem::remove(path);
    std::printf("%zu %.6f %.6f\n", bytes.size(), reader, baseline);
    return decoded == bytes.size() ? 0 : 1;
}
