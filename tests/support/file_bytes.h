#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace testsupport {

// Puts bytes in a new file at path, or in place of the one there; fails the test when it cannot.
void writeFile(const std::filesystem::path &path, std::string_view bytes);

// The whole of the file at path; empty, and a failed test, when it cannot be read.
std::string fileBytes(const std::filesystem::path &path);

// What a test puts at a path: a file holding "old", one its owner may only write, a folder, a
// named pipe that nobody writes (reading it would wait for ever), or a link to an endless device.
enum class Standing { Nothing, File, LockedFile, Folder, Fifo, LinkToDevice };
void place(Standing standing, const std::filesystem::path &path);
// Why standing cannot be placed on this system, empty when it can: tests that need it skip.
std::string whyNotPlaceable(Standing standing);

// Why the tests cannot make symbolic links here, empty when they can: the C++ library of the
// Windows build makes none, and Wine none that can be followed.
std::string whyNoSymlinks();

// One item of a batch file, as the program writes it.
std::string batchItem(std::string_view path, std::string_view state = "Normal",
                      std::string_view delay = "0");

} // namespace testsupport
