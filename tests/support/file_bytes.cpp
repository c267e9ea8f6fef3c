#include "tests/support/file_bytes.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#ifndef _WIN32
#include <sys/stat.h>
#endif

namespace testsupport {

void writeFile(const std::filesystem::path &path, std::string_view bytes) {
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(bytes.data(), std::streamsize(bytes.size()));
    file.close();
    EXPECT_TRUE(file) << "cannot write " << path;
}

std::string fileBytes(const std::filesystem::path &path) {
    std::ifstream file(path, std::ios::binary);
    EXPECT_TRUE(file) << "cannot read " << path;
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

std::string whyNotPlaceable([[maybe_unused]] Standing standing) {
#ifdef _WIN32
    switch (standing) {
    case Standing::LockedFile:
        return "Windows has no permission bits that keep a file's owner from reading it";
    case Standing::Fifo:
        return "Windows has no named pipes among the files of a folder";
    case Standing::LinkToDevice:
        return "Windows has no device files to link to";
    default:
        break;
    }
#endif
    return {};
}

std::string whyNoSymlinks() {
#ifdef _WIN32
    return "the Windows build cannot make symbolic links";
#else
    return {};
#endif
}

void place(Standing standing, const std::filesystem::path &path) {
    if (const std::string why = whyNotPlaceable(standing); !why.empty()) {
        ADD_FAILURE() << why;
        return;
    }
    switch (standing) {
    case Standing::Nothing:
        break;
    case Standing::File:
        writeFile(path, "old");
        break;
    case Standing::LockedFile:
        writeFile(path, "old");
        std::filesystem::permissions(path, std::filesystem::perms::owner_write);
        break;
    case Standing::Folder:
        std::filesystem::create_directory(path);
        break;
#ifndef _WIN32
    case Standing::Fifo:
        EXPECT_EQ(::mkfifo(path.c_str(), 0600), 0) << "cannot make a pipe at " << path;
        break;
    case Standing::LinkToDevice:
        std::filesystem::create_symlink("/dev/zero", path);
        break;
#else
    default:
        break;
#endif
    }
}

std::string batchItem(std::string_view path, std::string_view state, std::string_view delay) {
    std::string item;
    for (const std::string_view value : {path, delay, state})
        (item += '"').append(value) += "\"\r\n";
    return item;
}

} // namespace testsupport
