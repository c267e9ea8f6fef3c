#pragma once

#include "platform/file_access.h"

#include <exception>
#include <filesystem>
#include <string>

// A failure that the user is told about: its description is shown as it stands.
class ProgramError : public std::exception {
public:
    explicit ProgramError(std::string description) : description_(std::move(description)) {}

    const std::string &description() const { return description_; }
    const char *what() const noexcept override { return description_.c_str(); }

    static ProgramError fileNotFound(const std::filesystem::path &path);
    static ProgramError pathNotFound(const std::filesystem::path &path);
    static ProgramError permissionDenied(const std::filesystem::path &path);
    static ProgramError fileAccess(const std::filesystem::path &path);
    static ProgramError inputPastEndOfFile(const std::filesystem::path &path);
    static ProgramError invalidFileFormat(const std::filesystem::path &path,
                                          const std::string &why);
    static ProgramError subscriptOutOfRange();
    static ProgramError overflow();

    // What a failed read or write of path was, in the user's words.
    static ProgramError fromFileFault(const std::filesystem::path &path,
                                      const platform::FileOutcome &outcome);

private:
    std::string description_;
};
